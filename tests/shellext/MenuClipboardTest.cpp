#include "shellext/MenuPaths.h"

#include <gtest/gtest.h>

namespace {

// What the file managers put on the clipboard when files are copied or cut.
TEST(MenuClipboardTest, FindsTheCopiedFiles)
{
    struct TCase {
        const char *GnomeCopied, *UriList;
        std::vector<std::string> Uris;
    };
    // clang-format off
    const TCase cases[] = {
        {"copy\nfile:///a/b\nfile:///c%20d", "file:///a/b\r\nfile:///c%20d\r\n", {"file:///a/b", "file:///c%20d"}},
        {"cut\nsmb://nas/s/f\n", "", {"smb://nas/s/f"}},
        {"", "# a comment\r\nfile:///x\r\n\r\nfile:///y\r\n", {"file:///x", "file:///y"}},
        {"", "", {}},
    };
    // clang-format on
    for (const TCase& c : cases)
        EXPECT_EQ(MenuClipboardUris(c.GnomeCopied, c.UriList), c.Uris) << c.GnomeCopied << "|" << c.UriList;
}

}  // namespace
