#include "platform/inet/HttpConnection.h"

#include "core/Links.h"
#include "core/WholeNumber.h"
#include "platform/inet/ReplyText.h"

#include <curl/curl.h>
#include <string_view>

namespace platform::inet {

namespace {

constexpr long kMaxRedirects = 10;

// A whole number as a header gives it; -1 for anything else.
int64_t HeaderNumber(std::string_view value)
{
    int64_t number = -1;
    return ParseWholeNumber(value, number) && number >= 0 ? number : -1;
}

std::optional<time_t> HttpTime(const std::string& value)
{
    if (value.empty())
        return std::nullopt;
    // The usual form is read here; the library's reader, which tries every form, is slow.
    if (const std::optional<time_t> time = ParseImfFixdate(value))
        return time;
    const time_t time = curl_getdate(value.c_str(), nullptr);
    if (time == -1)
        return std::nullopt;
    return time;
}

} // namespace

THttpConnection::THttpConnection(const TInetSession& session, std::string user, std::string password)
    : Handle_(session), User_(std::move(user)), Password_(std::move(password))
{
}

THttpConnection::~THttpConnection()
{
    // The handle goes first: it must not hold on to the header lines.
    Handle_.Abort();
    curl_slist_free_all(Headers_);
}

void THttpConnection::Open(const std::string& url, int64_t from, const std::string& ifRange)
{
    Close();
    Handle_.ResetRequestOptions();
    CURL* easy = Handle_.Easy();
    // A link may hold what a request line cannot (a blank in a name): escaped, not refused.
    Handle_.SetUrl(RequestLink(url));
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    Handle_.SetLogin(User_, Password_);
    const std::string range = std::to_string(from) + "-";
    if (from >= 0)
        curl_easy_setopt(easy, CURLOPT_RANGE, range.c_str());
    curl_slist_free_all(Headers_);
    Headers_ = from >= 0 && !ifRange.empty() ? curl_slist_append(nullptr, ("If-Range: " + ifRange).c_str()) : nullptr;
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, Headers_);
    Handle_.StartDownload([this] { return HttpHeadComplete(Handle_.Lines()); });
    Open_ = true;
}

void THttpConnection::Close()
{
    Open_ = false;
    Handle_.Abort();
}

int THttpConnection::Status() const
{
    return Head().Status;
}

std::string THttpConnection::StatusLine() const
{
    const std::string head = LastHttpHead(Handle_.Lines());
    return head.substr(0, head.find('\n'));
}

int64_t THttpConnection::ContentLength() const
{
    return Head().ContentLength;
}

int64_t THttpConnection::ResourceSize() const
{
    const THeadFields& head = Head();
    return head.Status == 206 || head.Status == 416 ? head.RangeTotal : head.ContentLength;
}

std::string THttpConnection::ETag() const
{
    return Head().ETag;
}

std::optional<time_t> THttpConnection::LastModified() const
{
    return Head().LastModified;
}

const THttpConnection::THeadFields& THttpConnection::Head() const
{
    if (Head_.Version == Handle_.LinesVersion())
        return Head_;
    const std::vector<std::string>& lines = Handle_.Lines();
    Head_.Version = Handle_.LinesVersion();
    Head_.Status = HttpStatus(lines);
    Head_.ContentLength = HeaderNumber(HttpHeaderValue(lines, "Content-Length"));
    // "bytes 400-999/1000", or "bytes */1000" for a range past the end
    const std::string range = HttpHeaderValue(lines, "Content-Range");
    const size_t slash = range.rfind('/');
    Head_.RangeTotal = slash == std::string::npos ? -1 : HeaderNumber(std::string_view(range).substr(slash + 1));
    Head_.ETag = HttpHeaderValue(lines, "ETag");
    Head_.LastModified = HttpTime(HttpHeaderValue(lines, "Last-Modified"));
    Head_.Response.reset();
    return Head_;
}

std::string THttpConnection::LastResponse() const
{
    if (!Head().Response)
        Head_.Response = LastHttpHead(Handle_.Lines());
    return *Head_.Response;
}

} // namespace platform::inet
