#include "platform/inet/ReplyText.h"

#include <gtest/gtest.h>

using namespace platform::inet;

TEST(ReplyTextTest, LastFtpReplyTakesEveryLineOfTheLastReply)
{
    struct TCase {
        std::vector<std::string> Lines;
        std::string Reply;
    };
    const TCase cases[] = {
        {{}, ""},
        {{"220 (vsFTPd 3.0.3)", "230 Login successful."}, "230 Login successful."},
        {{"230 Login successful.", "211-Features:", " EPRT", " MDTM", "211 End"}, "211-Features:\n EPRT\n MDTM\n211 End"},
        // A reply still arriving does not count yet.
        {{"150 Opening BINARY mode", "226-Transfer"}, "150 Opening BINARY mode"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LastFtpReply(c.Lines), c.Reply);
}

TEST(ReplyTextTest, HttpHeadsAfterRedirectsAndInterimAnswers)
{
    const std::vector<std::string> redirected = {
        "HTTP/1.1 302 Found", "Location: /b", "", "HTTP/1.1 206 Partial Content",
        "content-range: bytes 400-999/1000", "Content-Length:  600 ", ""};
    EXPECT_TRUE(HttpHeadComplete(redirected));
    EXPECT_EQ(HttpStatus(redirected), 206);
    EXPECT_EQ(HttpHeaderValue(redirected, "Content-Range"), "bytes 400-999/1000");
    EXPECT_EQ(HttpHeaderValue(redirected, "content-length"), "600");
    EXPECT_EQ(HttpHeaderValue(redirected, "Location"), "");  // the redirect's own header is past
    EXPECT_EQ(LastHttpHead(redirected), "HTTP/1.1 206 Partial Content\ncontent-range: bytes 400-999/1000\nContent-Length:  600 ");

    struct TCase {
        std::vector<std::string> Lines;
        bool Complete;
    };
    const TCase cases[] = {
        {{}, false},
        {{"HTTP/1.1 200 OK", "Content-Length: 5"}, false},           // blank line still to come
        {{"HTTP/1.1 100 Continue", ""}, false},                      // interim
        {{"HTTP/1.1 301 Moved", "Location: /x", ""}, false},          // followed by the library
        {{"HTTP/1.1 304 Not Modified", ""}, true},
        {{"HTTP/2 404", "server: nginx", ""}, true},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(HttpHeadComplete(c.Lines), c.Complete) << (c.Lines.empty() ? "" : c.Lines[0]);
}

TEST(ReplyTextTest, HttpDatesOfTheUsualFormAreReadOthersLeftToTheLibrary)
{
    struct TCase {
        const char* Text;
        std::optional<time_t> Time;
    };
    const TCase cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
        {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
        {"Thu, 29 Feb 2024 23:59:59 GMT", 1709251199},
        {"Fri, 31 Dec 2100 12:00:00 GMT", 4133937600},
        {"Sunday, 06-Nov-94 08:49:37 GMT", std::nullopt},  // older forms
        {"Sun Nov  6 08:49:37 1994", std::nullopt},
        {"Sun, 06 Nov 1994 08:49:37 UTC", std::nullopt},
        {"Sun, 29 Feb 2023 08:49:37 GMT", std::nullopt},   // no such day
        {"Sun, 06 Nvo 1994 08:49:37 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 24:00:00 GMT", std::nullopt},
        {"Sun, 6 Nov 1994 08:49:37 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 08:4x:37 GMT", std::nullopt},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ParseImfFixdate(c.Text), c.Time) << c.Text;
}
