#include "config/LangChanger.h"

#include "core/TextCase.h"
#include "core/WholeNumber.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

constexpr std::string_view kSection = "Translations";
constexpr std::string_view kUnreadable = "<-- Error -->";
constexpr std::string_view kLineBreakMark = "{ENTER}";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ReplaceLineBreakMarks(std::string text)
{
    for (size_t at = text.find(kLineBreakMark); at != std::string::npos; at = text.find(kLineBreakMark, at + 1))
        text.replace(at, kLineBreakMark.size(), "\n");
    return text;
}

std::optional<int64_t> ParseInteger(std::string_view text)
{
    int64_t value = 0;
    if (!ParseWholeNumber(text, value))
        return std::nullopt;
    return value;
}

// Either "," or "." separates the decimals, whatever the locale.
std::optional<double> ParseFloat(std::string_view text)
{
    std::string c(text);
    for (char& ch : c) {
        if (ch == ',')
            ch = '.';
    }
    double value = 0;
    if (!ParseWholeNumber(c, value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Items are trimmed; an empty item between separators stays, an empty last one does not.
std::vector<std::string> SplitList(std::string_view text, std::string_view separator)
{
    std::vector<std::string> items;
    for (size_t start = 0;;) {
        const size_t at = text.find(separator, start);
        const std::string_view item = Trim(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) {
            if (!item.empty())
                items.emplace_back(item);
            return items;
        }
        items.emplace_back(item);
        start = at + separator.size();
    }
}

} // namespace

void TLangChanger::SetSeparator(std::string_view separator)
{
    Separator_ = Trim(separator).empty() ? std::string(",") : std::string(separator);
}

bool TLangChanger::SetLangFile(std::string_view path)
{
    LangFile_ = Trim(path);
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(LangFile_, error))
        file.open(LangFile_, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(file), {});
    const bool read = file.is_open() && !file.bad();
    SetLangText(read ? text : std::string());
    return read;
}

void TLangChanger::SetLangText(std::string_view text)
{
    Entries_.clear();
    EntryIndex_.clear();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    bool inSection = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            inSection = SameText(Trim(line.substr(1, line.size() - 2)), kSection);
            continue;
        }
        const size_t equals = line.find('=');
        // A line without "=" is a key with an empty value, unless it closes like a header.
        if (!inSection || (equals == std::string_view::npos && line.back() == ']'))
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
        // As in any initialisation file, the first of two equal keys counts.
        if (key.empty() || !EntryIndex_.try_emplace(FoldCase(key), Entries_.size()).second)
            continue;
        Entries_.push_back({std::string(key), std::string(value)});
    }
}

std::string TLangChanger::ReadValue(const TEntry& entry) const
{
    if (!IsValidUtf8(entry.Value))
        return std::string(kUnreadable);
    return ReplaceLineBreakMarks(entry.Value);
}

std::string TLangChanger::Translate(std::string_view id) const
{
    const auto found = EntryIndex_.find(FoldCase(id));
    return found == EntryIndex_.end() ? std::string(id) : ReadValue(Entries_[found->second]);
}

void TLangChanger::TranslateForm(ILangWindow& form) const
{
    ILangWindow* const forms[] = {&form};
    TranslateForms(forms);
}

void TLangChanger::TranslateForms(std::span<ILangWindow* const> forms) const
{
    for (const TEntry& entry : Entries_) {
        // Messages have no dot and match no window.
        const size_t dot = entry.Key.find('.');
        if (dot == std::string::npos)
            continue;
        const std::string windowClass = "T" + entry.Key.substr(0, dot);
        for (ILangWindow* form : forms) {
            if (form && SameText(form->ClassName(), windowClass))
                Apply(*form, std::string_view(entry.Key).substr(dot + 1), ReadValue(entry));
        }
    }
}

// path is "component.property", "property" of the window itself, or either of them going
// on through the objects that properties hold ("lblName.font.family").
void TLangChanger::Apply(ILangWindow& form, std::string_view path, const std::string& value) const
{
    ILangObject* target = &form;
    if (const size_t dot = path.find('.'); dot != std::string_view::npos) {
        if (ILangObject* component = form.FindComponent(path.substr(0, dot))) {
            target = component;
            path.remove_prefix(dot + 1);
        }
    }
    for (size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
        target = target->PropertyObject(path.substr(0, dot));
        if (!target)
            return;
        path.remove_prefix(dot + 1);
    }
    SetFromText(*target, path, value);
}

void TLangChanger::SetFromText(ILangObject& target, std::string_view property, const std::string& value) const
{
    switch (target.PropertyKind(property)) {
    case TLangPropertyKind::Integer:
        if (const std::optional<int64_t> number = ParseInteger(value))
            target.SetProperty(property, *number);
        break;
    case TLangPropertyKind::Float:
        if (const std::optional<double> number = ParseFloat(value))
            target.SetProperty(property, *number);
        break;
    case TLangPropertyKind::String:
        target.SetProperty(property, value);
        break;
    case TLangPropertyKind::StringList:
        target.SetProperty(property, SplitList(value, Separator_));
        break;
    case TLangPropertyKind::None:
    case TLangPropertyKind::Other:
        break;
    }
}
