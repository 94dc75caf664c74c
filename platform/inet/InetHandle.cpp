#include "platform/inet/InetHandle.h"

#include "core/QuorvexError.h"
#include "core/TextCase.h"
#include "platform/inet/ConnectionPool.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>

namespace platform::inet {

namespace {

constexpr long kConnectTimeoutSeconds = 30;
// A transfer that moves nothing for this long is given up, so that it is retried.
constexpr long kStallSeconds = 120;
constexpr long kReceiveBufferBytes = 256 * 1024;
constexpr int kPollMilliseconds = 100;

void InitializeLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The variables libcurl reads for the system's route; it takes the lower-case http_proxy only.
constexpr const char* kProxyVariables[] = {"http_proxy", "https_proxy", "HTTPS_PROXY", "ftp_proxy", "FTP_PROXY",
                                           "all_proxy",  "ALL_PROXY",   "no_proxy",    "NO_PROXY"};

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Each part with its length in front, so that no two lists of parts give one text.
void AppendKeyPart(std::string& key, const std::string& part)
{
    key += std::to_string(part.size()) + ':' + part;
}

// The host for a proxy link: an IPv6 address goes in brackets.
std::string ProxyUrl(const TInetProxy& proxy)
{
    const bool ipv6 = proxy.Host.find(':') != std::string::npos && proxy.Host.front() != '[';
    return "http://" + (ipv6 ? '[' + proxy.Host + ']' : proxy.Host) + ':' + std::to_string(proxy.Port);
}

// Everything SetSessionOptions sets a handle up from: a kept handle serves only the same again.
std::string SessionKey(const TInetSession& session, const std::string& routeKey)
{
    std::string key = routeKey;
    AppendKeyPart(key, session.UseCookies ? "1" : "0");
    AppendKeyPart(key, session.UserAgent);
    AppendKeyPart(key, CaFileOverride());
    return key;
}

} // namespace

std::string ProxyKey(const TInetProxy& proxy)
{
    std::string key = std::to_string(int(proxy.Route));
    AppendKeyPart(key, proxy.Bypass);
    switch (proxy.Route) {
    case TInetProxy::prSystem:
        for (const char* name : kProxyVariables)
            AppendKeyPart(key, Environment(name));
        break;
    case TInetProxy::prDirect:
        break;
    case TInetProxy::prServer:
        AppendKeyPart(key, proxy.Host);
        AppendKeyPart(key, std::to_string(proxy.Port));
        AppendKeyPart(key, proxy.User);
        AppendKeyPart(key, proxy.User.empty() ? std::string() : proxy.Password);
        break;
    }
    return key;
}

std::string CaFileOverride()
{
    const char* file = std::getenv("QUORVEX_CA_FILE");
    return file ? file : "";
}

TInetHandle::TInetHandle(const TInetSession& session)
    : Session_(session), RouteKey_(ProxyKey(session.Proxy)), SessionKey_(SessionKey(session, RouteKey_))
{
    InitializeLibrary();
    // A handle of an ended stream has its session's options and receive buffer already.
    Easy_ = connection_pool::TakeHandle(SessionKey_);
    if (Easy_) {
        SetOwnerOptions(this);
        return;
    }
    Easy_ = curl_easy_init();
    if (!Easy_)
        throw QuorvexError("Out of memory");
    SetSessionOptions();
}

TInetHandle::~TInetHandle()
{
    // A request dropped while it ran has closed its connection; what is left is clean.
    Abort();
    GiveConnections();
    // Kept with nothing of this stream's: no request options, login, cookies, or pointers
    // into this object.
    ResetRequestOptions();
    if (Session_.UseCookies)
        curl_easy_setopt(Easy_, CURLOPT_COOKIELIST, "ALL");
    SetOwnerOptions(nullptr);
    connection_pool::GiveHandle(SessionKey_, Easy_);
}

void TInetHandle::TakeConnections()
{
    const std::string key = connection_pool::Key(Url_, User_, Password_, RouteKey_);
    if (Multi_ && key == MultiKey_)
        return;
    GiveConnections();
    Multi_ = connection_pool::Take(key, Proven_);
    MultiKey_ = key;
}

bool TInetHandle::TakeProvenConnections()
{
    TakeConnections();
    return Proven_;
}

void TInetHandle::GiveConnections()
{
    if (!Multi_)
        return;
    connection_pool::Give(MultiKey_, Multi_, Proven_);
    Multi_ = nullptr;
    MultiKey_.clear();
}

void TInetHandle::SetUrl(const std::string& url)
{
    Url_ = url;
    curl_easy_setopt(Easy_, CURLOPT_URL, Url_.c_str());
    // FTP through an HTTP proxy keeps its own commands (logins, resume, uploads) only in a
    // tunnel; HTTP goes through the proxy as plain requests.
    const bool ftp = StartsText("ftp:", Url_);
    curl_easy_setopt(Easy_, CURLOPT_HTTPPROXYTUNNEL, long(ftp && Session_.Proxy.Route == TInetProxy::prServer));
}

void TInetHandle::SetLogin(const std::string& user, const std::string& password)
{
    User_ = user;
    Password_ = user.empty() ? std::string() : password;
    curl_easy_setopt(Easy_, CURLOPT_USERNAME, User_.empty() ? nullptr : User_.c_str());
    curl_easy_setopt(Easy_, CURLOPT_PASSWORD, User_.empty() ? nullptr : Password_.c_str());
}

void TInetHandle::SetOwnerOptions(TInetHandle* owner)
{
    curl_easy_setopt(Easy_, CURLOPT_ERRORBUFFER, owner ? owner->ErrorBuffer_ : nullptr);
    curl_easy_setopt(Easy_, CURLOPT_WRITEDATA, owner);
    curl_easy_setopt(Easy_, CURLOPT_READDATA, owner);
    curl_easy_setopt(Easy_, CURLOPT_HEADERDATA, owner);
}

void TInetHandle::SetSessionOptions()
{
    SetOwnerOptions(this);
    curl_easy_setopt(Easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(Easy_, CURLOPT_PROTOCOLS_STR, "ftp,http,https");
    curl_easy_setopt(Easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(Easy_, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(Easy_, CURLOPT_SERVER_RESPONSE_TIMEOUT, kStallSeconds);
    curl_easy_setopt(Easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(Easy_, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(Easy_, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(Easy_, CURLOPT_SHARE, connection_pool::SharedCaches());
    curl_easy_setopt(Easy_, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(Easy_, CURLOPT_WRITEFUNCTION, &TInetHandle::OnBody);
    curl_easy_setopt(Easy_, CURLOPT_READFUNCTION, &TInetHandle::OnUploadData);
    curl_easy_setopt(Easy_, CURLOPT_HEADERFUNCTION, &TInetHandle::OnHeaderLine);
    if (!Session_.UserAgent.empty())
        curl_easy_setopt(Easy_, CURLOPT_USERAGENT, Session_.UserAgent.c_str());
    // An empty cookie file switches the cookie engine on without reading anything.
    if (Session_.UseCookies)
        curl_easy_setopt(Easy_, CURLOPT_COOKIEFILE, "");
    if (const std::string ca = CaFileOverride(); !ca.empty())
        curl_easy_setopt(Easy_, CURLOPT_CAINFO, ca.c_str());
    SetProxyOptions();
}

void TInetHandle::SetProxyOptions()
{
    const TInetProxy& proxy = Session_.Proxy;
    switch (proxy.Route) {
    case TInetProxy::prSystem:
        // libcurl reads the environment itself; a bypass list adds to the one it names.
        if (!proxy.Bypass.empty()) {
            std::string listed = Environment("no_proxy");
            if (listed.empty())
                listed = Environment("NO_PROXY");
            const std::string noProxy = listed.empty() ? proxy.Bypass : proxy.Bypass + ',' + listed;
            curl_easy_setopt(Easy_, CURLOPT_NOPROXY, noProxy.c_str());
        }
        break;
    case TInetProxy::prDirect:
        // An empty proxy turns the environment's proxies off.
        curl_easy_setopt(Easy_, CURLOPT_PROXY, "");
        break;
    case TInetProxy::prServer:
        curl_easy_setopt(Easy_, CURLOPT_PROXY, ProxyUrl(proxy).c_str());
        if (!proxy.User.empty()) {
            curl_easy_setopt(Easy_, CURLOPT_PROXYUSERNAME, proxy.User.c_str());
            curl_easy_setopt(Easy_, CURLOPT_PROXYPASSWORD, proxy.Password.c_str());
            // Sent with the first request: a method learnt from a refusal would hand the
            // refusal's head to a reader that waits for the first head.
            curl_easy_setopt(Easy_, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
        }
        // The environment's no_proxy must not send a host past the chosen proxy.
        curl_easy_setopt(Easy_, CURLOPT_NOPROXY, proxy.Bypass.c_str());
        break;
    }
}

void TInetHandle::ResetRequestOptions()
{
    // A plain GET again (no body-less or upload request), with nothing request-specific left:
    // the next request may be another stream's, of another protocol.
    curl_easy_setopt(Easy_, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(Easy_, CURLOPT_RANGE, nullptr);
    curl_easy_setopt(Easy_, CURLOPT_RESUME_FROM_LARGE, curl_off_t(0));
    curl_easy_setopt(Easy_, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(Easy_, CURLOPT_FRESH_CONNECT, 0L);
    curl_easy_setopt(Easy_, CURLOPT_USERNAME, nullptr);
    curl_easy_setopt(Easy_, CURLOPT_PASSWORD, nullptr);
    curl_easy_setopt(Easy_, CURLOPT_FILETIME, 0L);
    curl_easy_setopt(Easy_, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(Easy_, CURLOPT_FTPPORT, nullptr);
    curl_easy_setopt(Easy_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(Easy_, CURLOPT_IGNORE_CONTENT_LENGTH, 0L);
}

size_t TInetHandle::OnBody(char* data, size_t size, size_t count, void* self)
{
    auto& h = *static_cast<TInetHandle*>(self);
    const size_t length = size * count;
    h.BodyStarted_ = true;
    // One turn of the library reads the socket again and again while it has data (up to a
    // hundred receive buffers); once the block is full and a receive buffer's worth waits
    // beside it, the transfer pauses, and the library keeps this piece until the next block
    // has room. A small file thus arrives whole with its head, without a pause: pausing
    // costs the library a copy of the piece and another turn to hand it over.
    if (h.TargetLeft_ == 0 && h.Spill_.size() - h.SpillAt_ >= size_t(kReceiveBufferBytes)) {
        h.BodyPaused_ = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    const size_t take = std::min(length, size_t(std::max<int64_t>(h.TargetLeft_, 0)));
    if (take > 0) {
        std::memcpy(h.Target_, data, take);
        h.Target_ += take;
        h.TargetLeft_ -= int64_t(take);
    }
    // What does not fit waits for the next read: at most two receive buffers, room for
    // which is taken once rather than grown piece by piece.
    if (take < length && h.Spill_.capacity() < size_t(2 * kReceiveBufferBytes))
        h.Spill_.reserve(size_t(2 * kReceiveBufferBytes));
    h.Spill_.insert(h.Spill_.end(), data + take, data + length);
    return length;
}

size_t TInetHandle::OnUploadData(char* data, size_t size, size_t count, void* self)
{
    auto& h = *static_cast<TInetHandle*>(self);
    h.UploadAsked_ = true;
    if (h.SourceLeft_ == 0) {
        if (h.UploadEnded_)
            return 0;
        h.UploadPaused_ = true;
        return CURL_READFUNC_PAUSE;
    }
    const size_t take = std::min(size * count, size_t(h.SourceLeft_));
    std::memcpy(data, h.Source_, take);
    h.Source_ += take;
    h.SourceLeft_ -= int64_t(take);
    return take;
}

size_t TInetHandle::OnHeaderLine(char* data, size_t size, size_t count, void* self)
{
    auto& h = *static_cast<TInetHandle*>(self);
    const size_t length = size * count;
    // The library hands over one whole line at a time, which moves into the lines without a
    // copy of its own; a line that comes in pieces waits for its end.
    std::string_view rest(data, length);
    for (size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        h.PartialLine_.append(rest.substr(0, end));
        rest.remove_prefix(end + 1);
        if (!h.PartialLine_.empty() && h.PartialLine_.back() == '\r')
            h.PartialLine_.pop_back();
        h.Lines_.push_back(std::move(h.PartialLine_));
        h.PartialLine_.clear();
        ++h.LinesVersion_;
    }
    h.PartialLine_.append(rest);
    return length;
}

void TInetHandle::Begin()
{
    Abort();
    Lines_.clear();
    ++LinesVersion_;
    PartialLine_.clear();
    Spill_.clear();
    SpillAt_ = 0;
    BodyStarted_ = false;
    Target_ = Planned_.data();
    TargetLeft_ = int64_t(Planned_.size());
    Source_ = nullptr;
    SourceLeft_ = 0;
    UploadAsked_ = false;
    UploadEnded_ = false;
    UploadPaused_ = false;
    BodyPaused_ = false;
    ErrorBuffer_[0] = '\0';
    Result_ = CURLE_OK;
    TakeConnections();
    // Until it ends well: a request dropped halfway closes its connection.
    Proven_ = false;
    if (CURLMcode code = curl_multi_add_handle(Multi_, Easy_); code != CURLM_OK)
        throw QuorvexError(curl_multi_strerror(code));
    Added_ = true;
    Running_ = true;
}

void TInetHandle::DriveUntil(const std::function<bool()>& done)
{
    // Checked before each turn: a turn brings body bytes, which must only arrive while the
    // caller's block has room for them (OnBody holds back what comes after a full block).
    while (Running_ && !done()) {
        // A body held back for a full block goes on once the caller has room again; the
        // piece the library kept arrives within this call.
        if (BodyPaused_ && TargetLeft_ > 0) {
            BodyPaused_ = false;
            if (CURLcode code = curl_easy_pause(Easy_, CURLPAUSE_CONT); code != CURLE_OK)
                throw QuorvexError(curl_easy_strerror(code));
            continue;
        }
        int running = 0;
        if (CURLMcode code = curl_multi_perform(Multi_, &running); code != CURLM_OK)
            throw QuorvexError(curl_multi_strerror(code));
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(Multi_, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == Easy_) {
                Result_ = message->data.result;
                Proven_ = Result_ == CURLE_OK;
                Finish();
            }
        }
        if (!Running_ || done())
            return;
        if (CheckInterrupted)
            CheckInterrupted();
        if (CURLMcode code = curl_multi_poll(Multi_, nullptr, 0, kPollMilliseconds, nullptr); code != CURLM_OK)
            throw QuorvexError(curl_multi_strerror(code));
    }
}

void TInetHandle::Finish()
{
    if (Added_ && Multi_)
        curl_multi_remove_handle(Multi_, Easy_);
    Added_ = false;
    Running_ = false;
}

void TInetHandle::Abort()
{
    Finish();
}

bool TInetHandle::Failed() const
{
    return Result_ != CURLE_OK;
}

std::string TInetHandle::ErrorText() const
{
    // The library keeps the first note of a request, and in active FTP mode that is a
    // harmless one about the local address; the failure's own words are then lost.
    const std::string detail = ErrorBuffer_;
    if (!detail.empty() && detail.rfind("sa_addr inet_ntop()", 0) != 0)
        return detail;
    return curl_easy_strerror(CURLcode(Result_));
}

void TInetHandle::RaiseFailure() const
{
    throw QuorvexError(ErrorText());
}

void TInetHandle::BeginAndDrive(const std::function<bool()>& done)
{
    Begin();
    DriveUntil(done);
    // A connection kept from an earlier stream may have been dropped by its server a moment
    // ago, unnoticed while it waited: one more try, on a new connection, as long as the
    // request has handed nothing over.
    if (!Running_ && Failed() && !BodyStarted_ && !UploadAsked_ && ConnectionWasKept()
        && (Result_ == CURLE_SEND_ERROR || Result_ == CURLE_RECV_ERROR || Result_ == CURLE_GOT_NOTHING)) {
        curl_easy_setopt(Easy_, CURLOPT_FRESH_CONNECT, 1L);
        Begin();
        curl_easy_setopt(Easy_, CURLOPT_FRESH_CONNECT, 0L);
        DriveUntil(done);
    }
}

void TInetHandle::Perform()
{
    BeginAndDrive([] { return false; });
    if (Failed())
        RaiseFailure();
}

bool TInetHandle::ConnectionWasKept() const
{
    long connects = 0;
    return curl_easy_getinfo(Easy_, CURLINFO_NUM_CONNECTS, &connects) == CURLE_OK && connects == 0;
}

void TInetHandle::StartDownload(const std::function<bool()>& headReady)
{
    BeginAndDrive([&] { return BodyStarted_ || headReady(); });
    // A failure after body bytes came is raised by the read that runs out of them, so the
    // bytes before a cut still count.
    if (!Running_ && Failed() && !BodyStarted_)
        RaiseFailure();
}

void TInetHandle::StartUpload()
{
    BeginAndDrive([&] { return UploadAsked_; });
    if (!Running_ && Failed())
        RaiseFailure();
}

void TInetHandle::PlanFirstRead(std::span<char> block)
{
    // From the next request on: what a running one brings waits beside the block.
    Planned_ = block;
    Target_ = nullptr;
    TargetLeft_ = 0;
}

int64_t TInetHandle::TakePlanned(char* buffer, int64_t count)
{
    const std::span<char> planned = Planned_;
    const int64_t early = Target_ ? Target_ - planned.data() : 0;
    Planned_ = {};
    Target_ = nullptr;
    TargetLeft_ = 0;
    if (early <= 0)
        return 0;
    if (buffer == planned.data() && count >= early)
        return early;
    // Read elsewhere: the bytes in the planned block come before those beside it.
    Spill_.insert(Spill_.begin() + std::ptrdiff_t(SpillAt_), planned.data(), planned.data() + early);
    return 0;
}

int64_t TInetHandle::Read(char* buffer, int64_t count)
{
    if (!Planned_.empty())
        if (const int64_t early = TakePlanned(buffer, count); early > 0)
            return early;
    const int64_t spilled = std::min<int64_t>(count, int64_t(Spill_.size() - SpillAt_));
    if (spilled > 0) {
        std::memcpy(buffer, Spill_.data() + SpillAt_, size_t(spilled));
        SpillAt_ += size_t(spilled);
        if (SpillAt_ == Spill_.size()) {
            Spill_.clear();
            SpillAt_ = 0;
        }
        // What the library holds back has arrived as well: it joins this read, without a
        // wait (a small body then takes one read, not one per piece the library hands out).
        if (spilled < count && BodyPaused_ && Running_ && Spill_.empty())
            return spilled + TakeHeldBack(buffer + spilled, count - spilled);
        return spilled;
    }
    if (count <= 0)
        return 0;
    Target_ = buffer;
    TargetLeft_ = count;
    try {
        DriveUntil([&] { return TargetLeft_ < count; });
    } catch (...) {
        Target_ = nullptr;
        TargetLeft_ = 0;
        throw;
    }
    const int64_t filled = count - TargetLeft_;
    Target_ = nullptr;
    TargetLeft_ = 0;
    if (filled == 0 && Failed())
        RaiseFailure();
    return filled;
}

int64_t TInetHandle::TakeHeldBack(char* buffer, int64_t count)
{
    Target_ = buffer;
    TargetLeft_ = count;
    BodyPaused_ = false;
    // The piece the library kept arrives within this call, and what else it has read. The
    // bytes before are handed over in any case: a failure to go on is left to the next read.
    if (curl_easy_pause(Easy_, CURLPAUSE_CONT) != CURLE_OK)
        BodyPaused_ = true;
    const int64_t filled = count - TargetLeft_;
    Target_ = nullptr;
    TargetLeft_ = 0;
    return filled;
}

void TInetHandle::Write(const char* buffer, int64_t count)
{
    if (!Running_) {
        if (Failed())
            RaiseFailure();
        throw QuorvexError("The server closed the upload");
    }
    Source_ = buffer;
    SourceLeft_ = count;
    if (UploadPaused_) {
        UploadPaused_ = false;
        curl_easy_pause(Easy_, CURLPAUSE_CONT);
    }
    DriveUntil([&] { return SourceLeft_ == 0; });
    Source_ = nullptr;
    const bool cut = SourceLeft_ > 0;
    SourceLeft_ = 0;
    if (Failed())
        RaiseFailure();
    if (cut)
        throw QuorvexError("The server closed the upload");
}

void TInetHandle::FinishUpload()
{
    if (!Running_) {
        if (Failed())
            RaiseFailure();
        return;
    }
    UploadEnded_ = true;
    if (UploadPaused_) {
        UploadPaused_ = false;
        curl_easy_pause(Easy_, CURLPAUSE_CONT);
    }
    DriveUntil([] { return false; });
    if (Failed())
        RaiseFailure();
}

} // namespace platform::inet
