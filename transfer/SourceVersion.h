#pragma once

#include "core/FileTime.h"

#include <cstdint>
#include <string>

// What tells one version of a source file from another, so that a resume never appends
// the bytes of a newer file to those of an older one. A part the source does not tell is
// unknown: an empty tag, a zero time, a size of -1.
struct TSourceVersion {
    std::string ETag;        // a web server's entity tag, as sent
    TFileTime Modified = 0;  // last modification (Last-Modified, MDTM, the file's time)
    int64_t Size = -1;

    bool Known() const { return !ETag.empty() || Modified != 0 || Size >= 0; }
    // False when a part that both know differs: two versions that cannot be told apart
    // count as the same.
    bool SameAs(const TSourceVersion& other) const
    {
        return (ETag.empty() || other.ETag.empty() || ETag == other.ETag) &&
               (Modified == 0 || other.Modified == 0 || Modified == other.Modified) &&
               (Size < 0 || other.Size < 0 || Size == other.Size);
    }
};
