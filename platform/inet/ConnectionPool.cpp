#include "platform/inet/ConnectionPool.h"

#include "core/IdleList.h"
#include "core/QuorvexError.h"

#include <curl/curl.h>

#include <array>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::inet::connection_pool {

namespace {

using TClock = std::chrono::steady_clock;

// Servers drop idle connections after a minute or more; libcurl notices a dropped one
// when it is offered and connects anew.
constexpr auto kIdleLimit = std::chrono::seconds(60);
// Enough for several tasks at once on each of a few servers.
constexpr size_t kMostIdle = 16;

struct TIdle {
    std::string Key;
    CURLM* Multi;
    bool Proven;
    TClock::time_point Since;
};

std::mutex& PoolMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Never destroyed: connections still kept at exit close with the process, and an exit
// never waits for a server's answer to a goodbye.
std::vector<TIdle>& Idle()
{
    static auto* idle = new std::vector<TIdle>;
    return *idle;
}

void CleanUp(const std::vector<CURLM*>& multis)
{
    for (CURLM* multi : multis)
        curl_multi_cleanup(multi);
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

std::string ServerKey(const std::string& url, const std::string& user, const std::string& password)
{
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> parts(curl_url(), &curl_url_cleanup);
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return url + '\n' + user + '\n' + password;
    // The separator cannot occur in a parsed host, port or scheme.
    return UrlPart(parts.get(), CURLUPART_SCHEME) + "://" + UrlPart(parts.get(), CURLUPART_HOST) + ':' +
           UrlPart(parts.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT) + '\n' + UrlPart(parts.get(), CURLUPART_USER) +
           '\n' + UrlPart(parts.get(), CURLUPART_PASSWORD) + '\n' + user + '\n' + password;
}

} // namespace

std::string Key(const std::string& url, const std::string& user, const std::string& password,
                const std::string& route)
{
    return ServerKey(url, user, password) + '\n' + route;
}

CURLM* Take(const std::string& key, bool& proven)
{
    CURLM* found = nullptr;
    proven = false;
    std::vector<CURLM*> stale;
    {
        std::lock_guard lock(PoolMutex());
        stale = TakeStale(Idle(), &TIdle::Multi, TClock::now(), kIdleLimit, kMostIdle);
        std::vector<TIdle>& idle = Idle();
        // The most recent first: its connections are the least likely to have been dropped.
        for (auto it = idle.rbegin(); it != idle.rend(); ++it) {
            if (it->Key == key) {
                found = it->Multi;
                proven = it->Proven;
                idle.erase(std::next(it).base());
                break;
            }
        }
    }
    CleanUp(stale);
    if (!found)
        found = curl_multi_init();
    if (!found)
        throw QuorvexError("Out of memory");
    return found;
}

void Give(const std::string& key, CURLM* multi, bool proven)
{
    std::vector<CURLM*> stale;
    {
        std::lock_guard lock(PoolMutex());
        Idle().push_back({key, multi, proven, TClock::now()});
        stale = TakeStale(Idle(), &TIdle::Multi, TClock::now(), kIdleLimit, kMostIdle);
    }
    CleanUp(stale);
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
