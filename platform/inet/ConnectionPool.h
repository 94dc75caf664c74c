#pragma once

#include <string>

typedef void CURL;
typedef void CURLM;
typedef void CURLSH;

namespace platform::inet {

// Keeps the connections of ended streams for the next stream to the same server with the
// same login, so that a queue of small files does not connect and log in again for each.
// libcurl keeps the connections of a multi handle in that handle; a stream takes a multi
// handle for its server and login, drives its requests through it on its own thread, and
// gives it back when it ends. A multi handle is only ever in one stream's hands, so no
// connection is used by two threads, and one made with other credentials is never offered.
namespace connection_pool {

// The server, login and route a request's connections are kept under: the scheme, host
// and port of url with the user and password (those of the link and those given apart),
// and the route's ProxyKey, so that no connection made through one proxy (or none) is
// offered to a request meant to go another way.
std::string Key(const std::string& url, const std::string& user, const std::string& password,
                const std::string& route);

// A multi handle holding idle connections made under key, or a new one. proven tells
// whether the last request on it succeeded: its login held then.
CURLM* Take(const std::string& key, bool& proven);

// Keeps multi for the next Take of key, for a while; cleans up (closing its connections)
// what is too old or too many. proven: its last request succeeded.
void Give(const std::string& key, CURLM* multi, bool proven);

// An easy handle set up for sessionKey (its session's options) by an ended stream, with its
// receive buffer: nullptr when none waits. The taker sets its callbacks' data again and
// resets its requests' options.
CURL* TakeHandle(const std::string& sessionKey);

// Keeps easy (out of every multi handle) for the next TakeHandle of sessionKey, for a while.
void GiveHandle(const std::string& sessionKey, CURL* easy);

// Shared by every handle, under locks: resolved names and TLS sessions.
CURLSH* SharedCaches();

} // namespace connection_pool

} // namespace platform::inet
