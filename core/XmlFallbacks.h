#pragma once

#include "core/XmlValues.h"

#include <pugixml.hpp>

// Stored values whose element is there but holds no usable text: unlike ReadChild, which
// keeps the value, these give a fixed fallback, so that a hand-edited file never leaves a
// half-read value behind.

// A missing child leaves value unchanged; a text that does not parse gives fallback.
template <class T>
void ReadChildOr(pugi::xml_node node, const char* name, T& value, const T& fallback)
{
    const pugi::xml_node child = node.child(name);
    if (child && !ParseXmlValue(child.text().get(), value))
        value = fallback;
}

// An enumeration kept as its ordinal 0 .. count - 1. A missing child leaves value
// unchanged; a word or an ordinal the program does not know gives fallback, so no unknown
// value ever reaches the code that switches on it.
template <class E>
void ReadOrdinalChild(pugi::xml_node node, const char* name, int count, E fallback, E& value)
{
    const pugi::xml_node child = node.child(name);
    if (!child)
        return;
    int ordinal = 0;
    if (!ParseXmlValue(child.text().get(), ordinal) || ordinal < 0 || ordinal >= count)
        ordinal = static_cast<int>(fallback);
    value = static_cast<E>(ordinal);
}
