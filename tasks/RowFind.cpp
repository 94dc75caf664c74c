#include "tasks/RowFind.h"

#include <algorithm>

namespace {

std::string AsciiUpper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return text;
}

bool Contains(const std::string& field, const std::string& upperText)
{
    return AsciiUpper(field).find(upperText) != std::string::npos;
}

} // namespace

bool MatchesFindText(const std::string& name, const std::string& source, const std::string& destination,
                     const std::string& text, int flags)
{
    const std::string upperText = AsciiUpper(text);
    return ((flags & ffName) && Contains(name, upperText)) || ((flags & ffSource) && Contains(source, upperText)) ||
           ((flags & ffDestination) && Contains(destination, upperText));
}
