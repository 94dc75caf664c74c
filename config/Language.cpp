#include "config/Language.h"

#include "config/BuiltInLanguage.h"
#include "core/MessageCatalogue.h"
#include "config/MessageIdentifiers.h"
#include "config/Options.h"
#include "core/AppFolders.h"
#include "core/TextCase.h"

#include <algorithm>
#include <filesystem>
#include <utility>

void LoadLanguage(TLangChanger& changer, std::span<ILangWindow* const> openWindows)
{
    if (!changer.SetLangFile(LanguagesFolder() + Options().DefaultLang))
        changer.SetLangText(BuiltInEnglishLanguage());
    changer.TranslateForms(openWindows);
    std::vector<std::pair<std::string, std::string>> texts;
    for (const std::string& id : CatalogueIdentifiers())
        texts.emplace_back(id, changer.Translate(id));
    SetMessageTexts(texts);
}

std::vector<TLangMenuItem> ListLang()
{
    namespace fs = std::filesystem;
    std::vector<TLangMenuItem> items;
    std::error_code error;
    for (fs::directory_iterator it(LanguagesFolder(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && SameText(it->path().extension().string(), ".lng"))
            items.push_back({name, name == Options().DefaultLang});
    }
    std::sort(items.begin(), items.end(),
              [](const TLangMenuItem& a, const TLangMenuItem& b) { return a.Caption < b.Caption; });
    return items;
}

void ChangeLang(TLangChanger& changer, std::string_view caption, std::span<ILangWindow* const> openWindows)
{
    std::string language(caption);
    std::erase(language, '&');
    Options().DefaultLang = language;
    LoadLanguage(changer, openWindows);
}
