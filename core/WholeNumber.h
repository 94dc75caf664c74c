#pragma once

#include <charconv>
#include <string_view>

// Whether the whole of text is one number of type T: not "", " 12" or "12abc". value takes it
// then, and is left as it is otherwise. format is std::from_chars's base, or its floating
// format.
template <class T, class... Format>
bool ParseWholeNumber(std::string_view text, T& value, Format... format)
{
    if (text.empty())
        return false;
    T parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, format...);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}
