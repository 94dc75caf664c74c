#include "platform/inet/ConnectionPool.h"

#include "core/IdlePool.h"
#include "core/QuorvexError.h"

#include <curl/curl.h>

#include <array>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

namespace platform::inet::connection_pool {

namespace {

// Servers drop idle connections after a minute or more; libcurl notices a dropped one
// when it is offered and connects anew.
constexpr auto kIdleLimit = std::chrono::seconds(60);

struct TIdleMulti {
    CURLM* Multi;
    bool Proven;
};

// Never destroyed: connections still kept at exit close with the process, and an exit
// never waits for a server's answer to a goodbye. Enough for several tasks at once on
// each of a few servers.
TIdlePool<TIdleMulti>& IdleMultis()
{
    static auto* idle =
        new TIdlePool<TIdleMulti>(kIdleLimit, 16, [](TIdleMulti kept) { curl_multi_cleanup(kept.Multi); });
    return *idle;
}

// Handles hold no connection of their own: they only wait for the next stream.
TIdlePool<CURL*>& IdleHandles()
{
    static auto* idle = new TIdlePool<CURL*>(kIdleLimit, 8, [](CURL* easy) { curl_easy_cleanup(easy); });
    return *idle;
}

std::string UrlPart(CURLU* url, CURLUPart part, unsigned flags = 0)
{
    char* text = nullptr;
    if (curl_url_get(url, part, &text, flags) != CURLUE_OK || !text)
        return {};
    std::string value = text;
    curl_free(text);
    return value;
}

std::array<std::mutex, CURL_LOCK_DATA_LAST>& ShareMutexes()
{
    static std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes;
    return mutexes;
}

void LockShare(CURL*, curl_lock_data data, curl_lock_access, void*)
{
    ShareMutexes()[size_t(data) % CURL_LOCK_DATA_LAST].lock();
}

void UnlockShare(CURL*, curl_lock_data data, void*)
{
    ShareMutexes()[size_t(data) % CURL_LOCK_DATA_LAST].unlock();
}

std::string ParsedServerKey(const std::string& url, const std::string& user, const std::string& password)
{
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> parts(curl_url(), &curl_url_cleanup);
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return url + '\n' + user + '\n' + password;
    // The separator cannot occur in a parsed host, port or scheme.
    return UrlPart(parts.get(), CURLUPART_SCHEME) + "://" + UrlPart(parts.get(), CURLUPART_HOST) + ':' +
           UrlPart(parts.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT) + '\n' + UrlPart(parts.get(), CURLUPART_USER) +
           '\n' + UrlPart(parts.get(), CURLUPART_PASSWORD) + '\n' + user + '\n' + password;
}

// The server's part of a key, which comes from the link up to its path alone. Each thread
// keeps its last one: a list of small files names the same server file after file, and the
// library's parser costs more than the rest of a request's set-up.
std::string ServerKey(const std::string& url, const std::string& user, const std::string& password)
{
    struct TLast {
        std::string Server, User, Password, Key;
    };
    thread_local TLast last;
    const size_t scheme = url.find("://");
    if (scheme == std::string::npos)
        return ParsedServerKey(url, user, password);
    const std::string_view server = std::string_view(url).substr(0, url.find_first_of("/?#", scheme + 3));
    if (server != last.Server || user != last.User || password != last.Password) {
        last.Key = ParsedServerKey(std::string(server), user, password);
        last.Server = server;
        last.User = user;
        last.Password = password;
    }
    return last.Key;
}

} // namespace

std::string Key(const std::string& url, const std::string& user, const std::string& password,
                const std::string& route)
{
    return ServerKey(url, user, password) + '\n' + route;
}

CURLM* Take(const std::string& key, bool& proven)
{
    const std::optional<TIdleMulti> idle = IdleMultis().Take(key);
    proven = idle && idle->Proven;
    CURLM* multi = idle ? idle->Multi : curl_multi_init();
    if (!multi)
        throw QuorvexError("Out of memory");
    return multi;
}

void Give(const std::string& key, CURLM* multi, bool proven)
{
    IdleMultis().Give(key, {multi, proven});
}

CURL* TakeHandle(const std::string& sessionKey)
{
    return IdleHandles().Take(sessionKey).value_or(nullptr);
}

void GiveHandle(const std::string& sessionKey, CURL* easy)
{
    IdleHandles().Give(sessionKey, easy);
}

CURLSH* SharedCaches()
{
    static CURLSH* share = [] {
        CURLSH* created = curl_share_init();
        if (created) {
            curl_share_setopt(created, CURLSHOPT_LOCKFUNC, &LockShare);
            curl_share_setopt(created, CURLSHOPT_UNLOCKFUNC, &UnlockShare);
            curl_share_setopt(created, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
            curl_share_setopt(created, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        }
        return created;
    }();
    return share;
}

} // namespace platform::inet::connection_pool
