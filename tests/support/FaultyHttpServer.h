#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// How TFaultyHttpServer answers GET and HEAD for one path.
struct TFaultyReply {
    int Status = 200;                 // 404, 500 ... send this status with Body as the page
    std::string Body;
    bool SendLength = true;           // false: no Content-Length; the body ends when the connection closes
    bool HonourRange = true;          // false: a "Range: bytes=N-" request gets 200 and the whole body
    int64_t AnnouncedLength = -1;     // >= 0: announce this Content-Length (e.g. 5 GiB) whatever is sent;
                                      // after a shorter Body the connection stays open until the client closes it
    int64_t CutAfter = -1;            // >= 0: close the connection after this many body bytes, every time
                                      // header only (a resuming client's); later GETs are served whole
    int SlowChunk = 0;                // > 0: send the body in chunks of this many bytes ...
    int SlowDelayMs = 0;              // ... with this pause before each chunk
    std::string LastModified;         // non-empty: sent as Last-Modified
    std::string ETag;                 // non-empty: sent as ETag
};

// A small HTTP/1.1 server on 127.0.0.1 and a free port for the misbehaving peers a real
// server will not imitate: it lies about lengths, ignores ranges, cuts or slows bodies.
// One thread per connection; every answer carries "Connection: close". A "Range: bytes=N-"
// or "bytes=N-M" request gets 206 with Content-Range (416 past the end) when the reply
// honours ranges and an "If-Range" names the reply's ETag or Last-Modified (or is absent);
// unknown paths get 404. The query part of a request is ignored.
class TFaultyHttpServer {
public:
    // Starts listening on 127.0.0.1 and a free port.
    TFaultyHttpServer();
    // Stops and joins every thread, also while a slow body is being sent.
    ~TFaultyHttpServer();
    TFaultyHttpServer(const TFaultyHttpServer&) = delete;
    TFaultyHttpServer& operator=(const TFaultyHttpServer&) = delete;

    int Port() const { return Port_; }
    // Answers requests for path (like "/file.bin") with reply from now on.
    void Serve(const std::string& path, TFaultyReply reply);
    // "http://127.0.0.1:PORT" + path.
    std::string Url(const std::string& path) const;
    // The request heads received so far (request line and header lines, CRLF-separated), in order.
    std::vector<std::string> Requests() const;

private:
    void AcceptConnections();
    void Answer(int fd);
    // Sends the bytes in the reply's chunks and pauses; false when the client left or the server stops.
    bool SendBody(int fd, std::string_view bytes, const TFaultyReply& reply);

    int ListenFd_ = -1;
    int WakeFds_[2] = {-1, -1};
    int Port_ = 0;
    mutable std::mutex Mutex_;
    std::condition_variable Stopping_;
    bool Stop_ = false;
    std::map<std::string, TFaultyReply> Replies_;
    std::vector<std::string> Requests_;
    std::set<int> Connections_;
    std::vector<std::thread> Workers_;
    std::thread Acceptor_;
};
