#pragma once

#include <string>
#include <vector>

// What a drop or the clipboard offers, as the front end reads it from the data object.
enum class TOfferedKind {
    Url,        // a single link ("text/x-moz-url" and the like), as text
    UriList,    // "text/uri-list": one URI a line, "#" lines are comments
    PlainText,  // "text/plain"
    FileList,   // file names, one a line
};

struct TOfferedFormat {
    TOfferedKind Kind;
    std::string Data;
};

// The paths and links to add from the formats offered, in the offerer's order: the first
// format that yields at least one line gives them all. Text keeps the trimmed lines that
// clipboard monitoring accepts for their kind of link; a URI list keeps its file URIs as
// paths and its FTP and HTTP links; a file list keeps every name. Every line is decoded
// (DecodeLink). Empty when no format yields a line.
std::vector<std::string> ExtractOfferedPaths(const std::vector<TOfferedFormat>& formats);
