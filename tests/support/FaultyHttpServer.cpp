#include "support/FaultyHttpServer.h"

#include "support/ServerProcess.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr size_t MaxHead = 64 * 1024;

// The request head up to the empty line (without it), or "" when the client sent none.
std::string ReadHead(int fd)
{
    std::string data;
    char buffer[4096];
    while (data.size() < MaxHead) {
        const size_t end = data.find("\r\n\r\n");
        if (end != std::string::npos)
            return data.substr(0, end);
        const ssize_t got = recv(fd, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return {};
        data.append(buffer, size_t(got));
    }
    return {};
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The value of the first header called name (any case), without surrounding blanks.
std::optional<std::string> HeaderValue(const std::string& head, const std::string& name)
{
    const std::string wanted = Lower(name) + ":";
    size_t start = head.find("\r\n");
    while (start != std::string::npos) {
        start += 2;
        const size_t end = std::min(head.find("\r\n", start), head.size());
        const std::string line = head.substr(start, end - start);
        if (Lower(line.substr(0, wanted.size())) == wanted) {
            const size_t first = line.find_first_not_of(" \t", wanted.size());
            const size_t last = line.find_last_not_of(" \t");
            return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
        }
        start = end < head.size() ? end : std::string::npos;
    }
    return std::nullopt;
}

struct TByteRange {
    int64_t First = 0;
    int64_t Last = -1; // -1: to the end
};

// "bytes=N-" or "bytes=N-M"; other forms (suffixes, several ranges) are ignored like a missing header.
std::optional<TByteRange> ParseRange(const std::string& value)
{
    const std::string prefix = "bytes=";
    if (Lower(value.substr(0, prefix.size())) != prefix)
        return std::nullopt;
    const std::string spec = value.substr(prefix.size());
    const size_t dash = spec.find('-');
    const auto digits = [](const std::string& text) {
        return !text.empty() && text.size() < 19 && text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (dash == std::string::npos || !digits(spec.substr(0, dash)))
        return std::nullopt;
    TByteRange range{std::stoll(spec.substr(0, dash)), -1};
    const std::string last = spec.substr(dash + 1);
    if (!last.empty()) {
        if (!digits(last) || std::stoll(last) < range.First)
            return std::nullopt;
        range.Last = std::stoll(last);
    }
    return range;
}

std::string ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status " + std::to_string(status);
    }
}

bool SendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(size_t(sent));
    }
    return true;
}

// Keeps the connection open, sending nothing more, until the client closes it (or the server
// stops and shuts the socket down).
void AwaitClientClose(int fd)
{
    char buffer[4096];
    while (recv(fd, buffer, sizeof(buffer), 0) > 0) {
    }
}

// Closes our side for writing and reads what the client still sends until it closes, so the
// close never turns into a reset that could discard the answer on its way.
void FinishGracefully(int fd)
{
    shutdown(fd, SHUT_WR);
    const timeval timeout{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    AwaitClientClose(fd);
}

} // namespace

TFaultyHttpServer::TFaultyHttpServer()
{
    ListenFd_ = ListenLoopback(Port_);
    if (ListenFd_ < 0 || pipe2(WakeFds_, O_CLOEXEC) != 0) {
        if (ListenFd_ >= 0)
            close(ListenFd_);
        throw std::runtime_error("faulty HTTP server cannot listen on 127.0.0.1");
    }
    Acceptor_ = std::thread([this] { AcceptConnections(); });
}

TFaultyHttpServer::~TFaultyHttpServer()
{
    {
        std::lock_guard lock(Mutex_);
        Stop_ = true;
        // Wakes workers blocked in recv or send.
        for (int fd : Connections_)
            shutdown(fd, SHUT_RDWR);
    }
    Stopping_.notify_all();
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = write(WakeFds_[1], &wake, 1);
    Acceptor_.join();
    // Only the acceptor adds workers, and it has ended.
    for (std::thread& worker : Workers_)
        worker.join();
    close(ListenFd_);
    close(WakeFds_[0]);
    close(WakeFds_[1]);
}

void TFaultyHttpServer::Serve(const std::string& path, TFaultyReply reply)
{
    std::lock_guard lock(Mutex_);
    Replies_[path] = std::move(reply);
}

std::string TFaultyHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(Port_) + path;
}

std::vector<std::string> TFaultyHttpServer::Requests() const
{
    std::lock_guard lock(Mutex_);
    return Requests_;
}

void TFaultyHttpServer::AcceptConnections()
{
    pollfd watched[2] = {{ListenFd_, POLLIN, 0}, {WakeFds_[0], POLLIN, 0}};
    while (true) {
        if (poll(watched, 2, -1) < 0 && errno != EINTR)
            return;
        if (watched[1].revents != 0)
            return;
        if ((watched[0].revents & POLLIN) == 0)
            continue;
        const int fd = accept4(ListenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard lock(Mutex_);
        if (Stop_) {
            close(fd);
            return;
        }
        Connections_.insert(fd);
        Workers_.emplace_back([this, fd] {
            Answer(fd);
            std::lock_guard guard(Mutex_);
            Connections_.erase(fd);
            close(fd);
        });
    }
}

void TFaultyHttpServer::Answer(int fd)
{
    const std::string head = ReadHead(fd);
    if (head.empty())
        return;
    const std::string requestLine = head.substr(0, head.find("\r\n"));
    const size_t space = requestLine.find(' ');
    const std::string method = requestLine.substr(0, space);
    const size_t targetStart = space == std::string::npos ? requestLine.size() : space + 1;
    const std::string target = requestLine.substr(targetStart, requestLine.find(' ', targetStart) - targetStart);
    const std::string path = target.substr(0, target.find('?'));

    TFaultyReply reply;
    {
        std::lock_guard lock(Mutex_);
        Requests_.push_back(head);
        const auto found = Replies_.find(path);
        if (found == Replies_.end()) {
            reply.Status = 404;
            reply.Body = "Not Found\n";
        } else {
            reply = found->second;
        }
    }
    if (method != "GET" && method != "HEAD") {
        reply = TFaultyReply{};
        reply.Status = 501;
        reply.Body = "Not Implemented\n";
    }

    const std::string_view body = reply.Body;
    const int64_t total = reply.AnnouncedLength >= 0 ? reply.AnnouncedLength : int64_t(body.size());
    int status = reply.Status;
    int64_t first = 0;
    int64_t length = total;
    std::string headers;
    const auto rangeHeader = HeaderValue(head, "Range");
    const auto range = rangeHeader ? ParseRange(*rangeHeader) : std::nullopt;
    // A range of another version than the current one is answered with the whole body.
    const auto ifRange = HeaderValue(head, "If-Range");
    const bool sameVersion = !ifRange || (!reply.ETag.empty() && *ifRange == reply.ETag) ||
                             (!reply.LastModified.empty() && *ifRange == reply.LastModified);
    if (status == 200 && reply.HonourRange && range && sameVersion) {
        if (range->First >= total) {
            status = 416;
            length = 0;
            headers += "Content-Range: bytes */" + std::to_string(total) + "\r\n";
        } else {
            status = 206;
            first = range->First;
            const int64_t last = range->Last < 0 ? total - 1 : std::min(range->Last, total - 1);
            length = last - first + 1;
            headers += "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) + "/"
                + std::to_string(total) + "\r\n";
        }
    }
    if (reply.HonourRange)
        headers += "Accept-Ranges: bytes\r\n";
    if (!reply.LastModified.empty())
        headers += "Last-Modified: " + reply.LastModified + "\r\n";
    if (!reply.ETag.empty())
        headers += "ETag: " + reply.ETag + "\r\n";
    if (reply.SendLength)
        headers += "Content-Length: " + std::to_string(length) + "\r\n";
    const std::string answerHead = "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) + "\r\n"
        + "Content-Type: application/octet-stream\r\n" + headers + "Connection: close\r\n\r\n";
    if (!SendAll(fd, answerHead))
        return;
    if (method != "GET")
        return FinishGracefully(fd);

    // What exists of the announced bytes, then at most as much as a cut allows.
    const int64_t available = std::clamp<int64_t>(int64_t(body.size()) - first, 0, length);
    int64_t cut = length;
    if (reply.CutAfter >= 0)
        cut = std::min(cut, reply.CutAfter);
    const int64_t count = std::min(available, cut);
    if (!SendBody(fd, body.substr(std::min(size_t(first), body.size()), size_t(count)), reply))
        return;
    if (count == cut && cut < length)
        return; // cut: closed at once
    if (count < length)
        return AwaitClientClose(fd); // the rest of an overstated length never comes
    FinishGracefully(fd);
}

bool TFaultyHttpServer::SendBody(int fd, std::string_view bytes, const TFaultyReply& reply)
{
    const size_t chunk = reply.SlowChunk > 0 ? size_t(reply.SlowChunk) : size_t(64 * 1024);
    while (!bytes.empty()) {
        if (reply.SlowDelayMs > 0) {
            std::unique_lock lock(Mutex_);
            if (Stopping_.wait_for(lock, std::chrono::milliseconds(reply.SlowDelayMs), [this] { return Stop_; }))
                return false;
        }
        const std::string_view part = bytes.substr(0, chunk);
        if (!SendAll(fd, part))
            return false;
        bytes.remove_prefix(part.size());
    }
    return true;
}
