#pragma once

#include "config/LangObject.h"

#include <unordered_map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Reads a language file and applies it: property values to windows, texts to message
// identifiers. A language file is UTF-8 in the layout of an initialisation file; its
// entries live in the section "Translations":
//   DlgOpt.btnOK.text=OK          a property: window class without its "T", component, property
//   DlgOpt.font.family=Verdana    a path may go on through objects that properties hold
//   sExitProgram=Quit Quorvex?    a message: an identifier without a dot
// Keys compare without regard to case; blanks around keys and values are dropped; a line
// without "=" is a key with an empty value; lines starting with ";" are comments. In every
// value "{ENTER}" stands for a line break.
class TLangChanger {
public:
    // The file in use, as selected; empty until one is.
    const std::string& LangFile() const { return LangFile_; }

    // Splits the values of string-list properties; an empty or blank one gives ",".
    const std::string& Separator() const { return Separator_; }
    void SetSeparator(std::string_view separator);

    // Selects the language file at path (blanks around it dropped) and reads its entries,
    // again when it is the file in use, so that edits show when it is chosen anew. The
    // file is never written. False when it cannot be read: there are then no entries.
    bool SetLangFile(std::string_view path);
    // Takes the entries from the text of a language file instead; LangFile stays.
    void SetLangText(std::string_view text);

    // Applies every property entry whose window class is the form's, in file order.
    // Entries naming a missing component or property, or holding a value that does not
    // convert, change nothing; a value that is not UTF-8 arrives as "<-- Error -->".
    void TranslateForm(ILangWindow& form) const;
    // The same for each of the forms (every open window).
    void TranslateForms(std::span<ILangWindow* const> forms) const;

    // The text of a message; the identifier itself when the entries lack it.
    std::string Translate(std::string_view id) const;

private:
    struct TEntry {
        std::string Key;
        std::string Value;
    };

    std::string ReadValue(const TEntry& entry) const;
    void Apply(ILangWindow& form, std::string_view path, const std::string& value) const;
    void SetFromText(ILangObject& target, std::string_view property, const std::string& value) const;

    std::string LangFile_;
    std::string Separator_ = ",";
    std::vector<TEntry> Entries_;                         // in file order, each key once
    std::unordered_map<std::string, size_t> EntryIndex_;  // folded key -> entry
};
