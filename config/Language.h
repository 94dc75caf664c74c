#pragma once

#include "config/LangChanger.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Loads the language named by the option DefaultLang in LanguagesFolder: translates the
// open windows and fills the message catalogue (messages, priority names, column captions)
// from it. When that file cannot be read, the English language file built into the
// program stands in, so that no text shows as its bare identifier.
void LoadLanguage(TLangChanger& changer, std::span<ILangWindow* const> openWindows = {});

// An entry of the language menu.
struct TLangMenuItem {
    std::string Caption;   // the file name, "english.lng"
    bool Checked = false;  // the language in use (DefaultLang)
};

// The language files ("*.lng") in LanguagesFolder, by name.
std::vector<TLangMenuItem> ListLang();

// Makes the language of a menu item the one in use (its caption without any "&") and
// loads it.
void ChangeLang(TLangChanger& changer, std::string_view caption, std::span<ILangWindow* const> openWindows = {});
