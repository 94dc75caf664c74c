#pragma once

#include "core/DateTime.h"

#include <concepts>
#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <type_traits>

// A colour as its 32-bit value.
using TColor = std::uint32_t;

// How each kind of value is kept as the text of an element. Parsing tolerates
// surrounding whitespace; a text that does not parse leaves the value untouched and
// gives false, so the value keeps its default.

// Signed 32-bit decimal, or "$" and hexadecimal digits taken as a 32-bit pattern.
bool ParseXmlValue(std::string_view text, std::int32_t& value);
// 0..4294967295 in decimal, a negative 32-bit number or "$" hexadecimal as its bit pattern.
bool ParseXmlValue(std::string_view text, std::uint32_t& value);
// Signed 64-bit decimal, or "$" and hexadecimal digits taken as a 64-bit pattern.
bool ParseXmlValue(std::string_view text, std::int64_t& value);
// "True" or "False" in any case, or any number (0 is false).
bool ParseXmlValue(std::string_view text, bool& value);
// A whole number of any length, decimal with an optional sign or "$" hexadecimal, taken as
// a truth value: true unless it is zero. Other texts give false and leave value untouched.
bool ParseXmlNumberAsBool(std::string_view text, bool& value);
// Days as a floating number; "." or "," as decimal separator, whatever the locale.
bool ParseXmlValue(std::string_view text, TDateTime& value);
// The text itself.
bool ParseXmlValue(std::string_view text, std::string& value);

// Enumerations are kept as their ordinal.
template <class E>
    requires std::is_enum_v<E>
bool ParseXmlValue(std::string_view text, E& value)
{
    std::int32_t ordinal = 0;
    if (!ParseXmlValue(text, ordinal))
        return false;
    value = static_cast<E>(ordinal);
    return true;
}

std::string XmlValueText(std::int32_t value);
std::string XmlValueText(std::uint32_t value);
std::string XmlValueText(std::int64_t value);
// "." as decimal separator, up to 15 significant digits, so that files move between locales.
std::string XmlValueText(TDateTime value);
std::string XmlValueText(std::string_view value);

// Only a real bool: a string literal must not turn into "True".
template <std::same_as<bool> B>
std::string XmlValueText(B value)
{
    return value ? "True" : "False";
}

template <class E>
    requires std::is_enum_v<E>
std::string XmlValueText(E value)
{
    return XmlValueText(static_cast<std::int32_t>(value));
}

// Reads the first child element called name into value. A missing child leaves the value
// unchanged, and so does a text that does not parse. True when the value was read.
template <class T>
bool ReadChild(pugi::xml_node node, const char* name, T& value)
{
    const pugi::xml_node child = node.child(name);
    return child && ParseXmlValue(child.text().get(), value);
}

// Appends a child element called name holding the value's text; returns it.
template <class T>
pugi::xml_node WriteChild(pugi::xml_node parent, const char* name, const T& value)
{
    pugi::xml_node child = parent.append_child(name);
    child.text().set(XmlValueText(value).c_str());
    return child;
}
