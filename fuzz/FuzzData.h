#pragma once

#include "core/XmlRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

// Helpers of the fuzz targets over the data files.

// Parses the input as the program parses a data file; false when it is no XML document.
inline bool ParseDataFile(const std::uint8_t* data, std::size_t size, pugi::xml_document& doc)
{
    return bool(doc.load_buffer(data, size, kXmlParseOptions));
}

// A document as it would be saved.
inline std::string DocumentText(const pugi::xml_document& doc)
{
    std::ostringstream out;
    doc.save(out, "  ");
    return out.str();
}

// A broken promise of the code under test is a finding like a crash.
inline void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

// What a file holds after one save must survive a second reading unchanged: readAndSave
// reads a document and returns the text it would save.
template <class TReadAndSave>
void RequireStableSave(const pugi::xml_document& doc, TReadAndSave readAndSave, const char* what)
{
    const std::string once = readAndSave(doc);
    pugi::xml_document again;
    Require(bool(again.load_string(once.c_str(), kXmlParseOptions)), what);
    Require(readAndSave(again) == once, what);
}
