#include "core/MessageCatalogue.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

using TextTable = std::unordered_map<std::string, const std::string*, TextHash, std::equal_to<>>;

// Texts are kept for the life of the program, so that a text handed out stays valid while a
// new language replaces the table; a language holds a few hundred texts and is seldom loaded.
struct Catalogue {
    std::shared_mutex Mutex;
    TextTable Texts;
    // Counts the changes of Texts, so that a thread's own copy of its lookups (see
    // Translate) is dropped when they change.
    std::atomic<uint64_t> Changes{0};
    // Identifiers asked for without a text, each its own text.
    TextTable Untranslated;
    std::deque<std::string> Kept;

    const std::string* Keep(std::string_view text)
    {
        return &Kept.emplace_back(text);
    }
};

Catalogue& TheCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

const std::string* Find(const TextTable& table, std::string_view id)
{
    auto it = table.find(id);
    return it != table.end() ? it->second : nullptr;
}

// The text of id, under the catalogue's lock.
const std::string& LookUp(Catalogue& c, std::string_view id)
{
    {
        std::shared_lock lock(c.Mutex);
        if (const std::string* text = Find(c.Texts, id))
            return *text;
        if (const std::string* text = Find(c.Untranslated, id))
            return *text;
    }
    std::unique_lock lock(c.Mutex);
    if (const std::string* text = Find(c.Texts, id))
        return *text;
    auto [it, added] = c.Untranslated.try_emplace(std::string(id), nullptr);
    if (added)
        it->second = c.Keep(id);
    return *it->second;
}

}  // namespace

const std::string& Translate(std::string_view id)
{
    Catalogue& c = TheCatalogue();
    // Each thread keeps what it looked up until the texts change: the many lookups of the
    // workers then share no lock.
    thread_local TextTable seen;
    thread_local uint64_t seenChanges = ~uint64_t(0);
    if (const uint64_t changes = c.Changes.load(std::memory_order_acquire); changes != seenChanges) {
        seen.clear();
        seenChanges = changes;
    }
    if (const std::string* text = Find(seen, id))
        return *text;
    const std::string& text = LookUp(c, id);
    seen.try_emplace(std::string(id), &text);
    return text;
}

void SetMessageText(std::string_view id, std::string_view text)
{
    Catalogue& c = TheCatalogue();
    std::unique_lock lock(c.Mutex);
    c.Texts.insert_or_assign(std::string(id), c.Keep(text));
    ++c.Changes;
}

void ClearMessageTexts()
{
    Catalogue& c = TheCatalogue();
    std::unique_lock lock(c.Mutex);
    c.Texts.clear();
    ++c.Changes;
}

void SetMessageTexts(const std::vector<std::pair<std::string, std::string>>& texts)
{
    Catalogue& c = TheCatalogue();
    std::unique_lock lock(c.Mutex);
    TextTable table;
    table.reserve(texts.size());
    // The first pair of an identifier wins.
    for (const auto& [id, text] : texts)
        if (auto [it, added] = table.try_emplace(id, nullptr); added)
            it->second = c.Keep(text);
    c.Texts.swap(table);
    ++c.Changes;
}
