#include "core/MessageCatalogue.h"

#include <map>
#include <mutex>
#include <shared_mutex>

namespace {

struct Catalogue {
    std::shared_mutex Mutex;
    std::map<std::string, std::string, std::less<>> Texts;
};

Catalogue& TheCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

} // namespace

std::string Translate(std::string_view id)
{
    Catalogue& c = TheCatalogue();
    std::shared_lock lock(c.Mutex);
    auto it = c.Texts.find(id);
    return it != c.Texts.end() ? it->second : std::string(id);
}

void SetMessageText(std::string_view id, std::string_view text)
{
    Catalogue& c = TheCatalogue();
    std::unique_lock lock(c.Mutex);
    c.Texts.insert_or_assign(std::string(id), std::string(text));
}

void ClearMessageTexts()
{
    Catalogue& c = TheCatalogue();
    std::unique_lock lock(c.Mutex);
    c.Texts.clear();
}

void SetMessageTexts(const std::vector<std::pair<std::string, std::string>>& texts)
{
    std::map<std::string, std::string, std::less<>> table(texts.begin(), texts.end());
    Catalogue& c = TheCatalogue();
    std::unique_lock lock(c.Mutex);
    c.Texts.swap(table);
}
