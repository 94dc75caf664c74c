#include "platform/inet/FtpConnection.h"

#include "platform/inet/ReplyText.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <regex>
#include <set>

namespace platform::inet {

namespace {

// The size a server names when a download starts: "150 ... (1234 bytes)".
std::optional<int64_t> AnnouncedSize(const std::vector<std::string>& lines)
{
    static const std::regex announced(R"(^150 .*\((\d+) bytes\))");
    for (const std::string& line : lines) {
        std::smatch match;
        if (std::regex_search(line, match, announced))
            return std::stoll(match[1]);
    }
    return std::nullopt;
}

// Servers ("host:port") that named the size when their last download started: a
// download from them need not ask for it first (SIZE), which saves a round trip per file.
// One that stops naming it is asked again from its next download on.
class TSizeAnnouncers {
public:
    bool Has(const std::string& server)
    {
        const std::lock_guard lock(Mutex_);
        return Servers_.count(server) != 0;
    }
    void Note(const std::string& server, bool announces)
    {
        const std::lock_guard lock(Mutex_);
        if (announces)
            Servers_.insert(server);
        else
            Servers_.erase(server);
    }

private:
    std::mutex Mutex_;
    std::set<std::string> Servers_;
};

TSizeAnnouncers& SizeAnnouncers()
{
    static auto* announcers = new TSizeAnnouncers;
    return *announcers;
}

}  // namespace

TFtpConnection::TFtpConnection(const TInetSession& session, TFtpLogin login)
    : Handle_(session), Login_(std::move(login))
{
}

std::string TFtpConnection::Url(const std::string& path) const
{
    const bool ipv6 = Login_.Host.find(':') != std::string::npos;
    std::string url = "ftp://" + (ipv6 ? "[" + Login_.Host + "]" : Login_.Host) + ":" + std::to_string(Login_.Port) + "/";
    // Every character of the path is escaped, its slashes too: the server path is then
    // taken as it stands from the root, not from the login folder.
    if (!path.empty()) {
        std::unique_ptr<char, decltype(&curl_free)> escaped(
            curl_easy_escape(Handle_.Easy(), path.c_str(), int(path.size())), &curl_free);
        url += escaped.get();
    }
    return url;
}

void TFtpConnection::PrepareRequest(const std::string& path, bool ascii)
{
    PreviousResponse_ = LastResponse();
    Handle_.ResetRequestOptions();
    CURL* easy = Handle_.Easy();
    Handle_.SetUrl(Url(path));
    // One change into the file's folder, then the file by its name.
    curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    Handle_.SetLogin(Login_.User, Login_.Password);
    if (!Login_.Passive)
        curl_easy_setopt(easy, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, ascii ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_RESUME_FROM_LARGE, curl_off_t(0));
}

void TFtpConnection::Login()
{
    PrepareRequest("", false);
    // A kept connection whose last request succeeded is logged in already (one whose server
    // dropped it meanwhile is made anew, with a login, by the next request); the next
    // request also starts in the folder the last one left, without changing to the root.
    if (Handle_.TakeProvenConnections())
        return;
    curl_easy_setopt(Handle_.Easy(), CURLOPT_NOBODY, 1L);
    Handle_.Perform();
}

void TFtpConnection::OpenFile(const std::string& path, bool write, bool ascii, int64_t from)
{
    CloseFile();
    PrepareRequest(path, ascii);
    Writing_ = write;
    CURL* easy = Handle_.Easy();
    if (write) {
        curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
        Handle_.StartUpload();
    } else {
        // The time (MDTM) tells this version of the file from a later one.
        curl_easy_setopt(easy, CURLOPT_FILETIME, 1L);
        curl_easy_setopt(easy, CURLOPT_RESUME_FROM_LARGE, curl_off_t(from));
        const std::string server = Login_.Host + ':' + std::to_string(Login_.Port);
        const bool whole = from == 0 && !ascii;
        if (whole && SizeAnnouncers().Has(server))
            curl_easy_setopt(easy, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
        Handle_.StartDownload([] { return false; });
        if (whole)
            SizeAnnouncers().Note(server, AnnouncedSize(Handle_.Lines()).has_value());
    }
    Open_ = true;
}

int64_t TFtpConnection::OpenFileSize() const
{
    curl_off_t length = -1;
    curl_easy_getinfo(Handle_.Easy(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length >= 0)
        return length;
    // In ASCII mode, or from a server known to name it, no size is asked for; servers
    // mostly name it when the data starts.
    return AnnouncedSize(Handle_.Lines()).value_or(-1);
}

time_t TFtpConnection::OpenFileTime() const
{
    curl_off_t time = -1;
    curl_easy_getinfo(Handle_.Easy(), CURLINFO_FILETIME_T, &time);
    return time_t(time);
}

void TFtpConnection::CloseFile()
{
    if (!Open_)
        return;
    Open_ = false;
    if (Writing_)
        Handle_.FinishUpload();
    else
        Handle_.Abort();
}

std::optional<TFtpEntry> TFtpConnection::FindFile(const std::string& dir, const std::string& name)
{
    CloseFile();
    std::string path = dir;
    if (path.empty() || path.back() != '/')
        path += '/';
    PrepareRequest(path + name, false);
    CURL* easy = Handle_.Easy();
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy, CURLOPT_FILETIME, 1L);
    try {
        Handle_.Perform();
    } catch (const std::exception&) {
        // A folder that cannot be entered is a failure; a file it lacks is just not there.
        if (Handle_.Result() == CURLE_REMOTE_FILE_NOT_FOUND)
            return std::nullopt;
        throw;
    }
    TFtpEntry entry;
    curl_off_t size = -1;
    curl_off_t time = -1;
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    curl_easy_getinfo(easy, CURLINFO_FILETIME_T, &time);
    entry.Size = size;
    entry.Time = time_t(time);
    return entry;
}

std::string TFtpConnection::LastResponse() const
{
    std::string reply = LastFtpReply(Handle_.Lines());
    return reply.empty() ? PreviousResponse_ : reply;
}

} // namespace platform::inet
