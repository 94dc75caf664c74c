#include "platform/inet/HttpConnection.h"

#include "core/Links.h"
#include "platform/inet/ReplyText.h"

#include <curl/curl.h>

namespace platform::inet {

namespace {

constexpr long kMaxRedirects = 10;

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
    return HttpStatus(Handle_.Lines());
}

std::string THttpConnection::StatusLine() const
{
    const std::string head = LastHttpHead(Handle_.Lines());
    return head.substr(0, head.find('\n'));
}

int64_t THttpConnection::ContentLength() const
{
    const std::string value = HttpHeaderValue(Handle_.Lines(), "Content-Length");
    try {
        size_t used = 0;
        const long long length = std::stoll(value, &used);
        return used == value.size() && length >= 0 ? length : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

int64_t THttpConnection::ResourceSize() const
{
    if (Status() == 206 || Status() == 416) {
        // "bytes 400-999/1000", or "bytes */1000" for a range past the end
        const std::string range = HttpHeaderValue(Handle_.Lines(), "Content-Range");
        const size_t slash = range.rfind('/');
        if (slash != std::string::npos) {
            try {
                return std::stoll(range.substr(slash + 1));
            } catch (const std::exception&) {
                return -1;
            }
        }
        return -1;
    }
    return ContentLength();
}

std::string THttpConnection::ETag() const
{
    return HttpHeaderValue(Handle_.Lines(), "ETag");
}

std::optional<time_t> THttpConnection::LastModified() const
{
    const std::string value = HttpHeaderValue(Handle_.Lines(), "Last-Modified");
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

std::string THttpConnection::LastResponse() const
{
    if (ResponseVersion_ != Handle_.LinesVersion()) {
        Response_ = LastHttpHead(Handle_.Lines());
        ResponseVersion_ = Handle_.LinesVersion();
    }
    return Response_;
}

} // namespace platform::inet
