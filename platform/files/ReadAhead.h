#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace platform {

// Serves small reads from large ones. A share answers one request per round trip, so
// fetching a few MiB at a time (which the library pipelines) keeps the link busy while
// the caller still reads its usual blocks. The file position runs ahead of the caller by
// Unconsumed() bytes; whoever seeks, writes or closes must account for them first.
class TReadAhead {
public:
    explicit TReadAhead(int64_t capacity) : Capacity_(capacity) {}

    // fetch(out, count) reads up to count bytes (fewer only at the end) or returns -1.
    // A failure after some bytes were handed out ends this read short; the next one fails.
    // The end, once met, is not asked for again (until Clear).
    template <class TFetch>
    int64_t Read(void* buffer, int64_t count, TFetch fetch)
    {
        auto* out = static_cast<char*>(buffer);
        int64_t done = Take(out, count);
        if (done == count || AtEnd_)
            return done;
        if (count - done >= Capacity_) {
            const int64_t fetched = fetch(out + done, count - done);
            AtEnd_ = fetched >= 0 && fetched < count - done;
            return fetched < 0 ? (done > 0 ? done : -1) : done + fetched;
        }
        // Left uninitialised: only the pages a fetch fills ever become resident, and a small
        // file costs no clearing of the whole buffer.
        if (!Buffer_)
            Buffer_.reset(new char[std::size_t(Capacity_)]);
        const int64_t fetched = fetch(Buffer_.get(), Capacity_);
        if (fetched < 0)
            return done > 0 ? done : -1;
        Length_ = fetched;
        At_ = 0;
        AtEnd_ = fetched < Capacity_;
        return done + Take(out + done, count - done);
    }

    // Fetches the next piece before it is asked for (nothing when some is left); false when
    // the fetch failed, which the next Read asks again.
    template <class TFetch>
    bool Prefetch(TFetch fetch)
    {
        if (Unconsumed() > 0 || AtEnd_)
            return true;
        if (!Buffer_)
            Buffer_.reset(new char[std::size_t(Capacity_)]);
        const int64_t fetched = fetch(Buffer_.get(), Capacity_);
        if (fetched < 0)
            return false;
        Length_ = fetched;
        At_ = 0;
        AtEnd_ = fetched < Capacity_;
        return true;
    }

    // A Read of count bytes is served from what was fetched, without a fetch.
    bool Holds(int64_t count) const { return Unconsumed() >= count || AtEnd_; }

    int64_t Unconsumed() const { return Length_ - At_; }
    void Clear()
    {
        Length_ = At_ = 0;
        AtEnd_ = false;
    }

private:
    int64_t Take(char* out, int64_t count)
    {
        const int64_t take = std::min(count, Unconsumed());
        if (take > 0)
            std::memcpy(out, Buffer_.get() + At_, std::size_t(take));
        At_ += take;
        return take;
    }

    int64_t Capacity_;
    std::unique_ptr<char[]> Buffer_;
    int64_t Length_ = 0;
    int64_t At_ = 0;
    bool AtEnd_ = false;
};

} // namespace platform
