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
