#pragma once

#include "core/QuorvexError.h"
#include "transfer/StreamFactory.h"

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>

// While it lives, the streams of one link type fail their reads once `limit` bytes of the
// resource lie behind them, like a connection cut there: every byte before the cut
// arrives, none after it.
template <class TStream>
class TCutReads {
public:
    TCutReads(TLinkType linkType, int64_t limit) : Type_(linkType)
    {
        Previous_ = SetStreamFactory(linkType, [limit](const std::string& link, const std::string& user,
                                                       const std::string& password, const TStreamSettings& settings) {
            std::unique_ptr<TCutStream> stream;
            if constexpr (std::is_constructible_v<TStream, std::string, std::string, std::string, TStreamSettings>)
                stream = std::make_unique<TCutStream>(link, user, password, settings);
            else
                stream = std::make_unique<TCutStream>(link, user, password);
            stream->Limit = limit;
            return std::unique_ptr<TTransferStream>(std::move(stream));
        });
    }
    ~TCutReads() { SetStreamFactory(Type_, std::move(Previous_)); }
    TCutReads(const TCutReads&) = delete;
    TCutReads& operator=(const TCutReads&) = delete;

private:
    struct TCutStream : TStream {
        using TStream::TStream;
        int64_t Limit = 0;

        int64_t DoRead(void* buffer, int64_t count) override
        {
            const int64_t left = Limit - this->DoGetPosition();
            if (left <= 0)
                throw QuorvexError("connection cut");
            return TStream::DoRead(buffer, std::min(count, left));
        }
    };

    TLinkType Type_;
    TStreamFactory Previous_;
};
