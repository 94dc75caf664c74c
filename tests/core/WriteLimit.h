#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes every write past `bytes` into a file fail with EFBIG for the life of the object,
// the way a full disk or quota would; the tests run as root, so permissions cannot do it.
class TWriteLimit {
public:
    explicit TWriteLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &Saved_);
        OldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = Saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TWriteLimit()
    {
        setrlimit(RLIMIT_FSIZE, &Saved_);
        std::signal(SIGXFSZ, OldHandler_);
    }
    TWriteLimit(const TWriteLimit&) = delete;
    TWriteLimit& operator=(const TWriteLimit&) = delete;

private:
    rlimit Saved_{};
    void (*OldHandler_)(int) = nullptr;
};
