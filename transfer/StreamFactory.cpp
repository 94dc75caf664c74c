#include "transfer/StreamFactory.h"

#include "platform/files/FileAccess.h"
#include "platform/smb/SmbFileAccess.h"
#include "transfer/TransferFTPStream.h"
#include "transfer/TransferFileStream.h"
#include "transfer/TransferHTTPStream.h"

#include <array>
#include <exception>

namespace {

std::array<TStreamFactory, 3>& Factories()
{
    static std::array<TStreamFactory, 3> factories{
        [](const std::string& link, const std::string& user, const std::string& password, const TStreamSettings&)
            -> std::unique_ptr<TTransferStream> { return std::make_unique<TTransferFileStream>(link, user, password); },
        [](const std::string& link, const std::string& user, const std::string& password, const TStreamSettings& settings)
            -> std::unique_ptr<TTransferStream> {
            return std::make_unique<TTransferFTPStream>(link, user, password, settings);
        },
        [](const std::string& link, const std::string& user, const std::string& password, const TStreamSettings& settings)
            -> std::unique_ptr<TTransferStream> {
            return std::make_unique<TTransferHTTPStream>(link, user, password, settings);
        },
    };
    return factories;
}

} // namespace

bool HasStreamFactory(TLinkType linkType)
{
    return linkType >= 0 && linkType < int(Factories().size()) && Factories()[std::size_t(linkType)];
}

std::unique_ptr<TTransferStream> MakeStream(TLinkType linkType, const std::string& link, const std::string& user,
                                            const std::string& password, const TStreamSettings& settings)
{
    if (!HasStreamFactory(linkType))
        return nullptr;
    return Factories()[std::size_t(linkType)](link, user, password, settings);
}

TStreamFactory SetStreamFactory(TLinkType linkType, TStreamFactory factory)
{
    TStreamFactory previous = std::move(Factories().at(std::size_t(linkType)));
    Factories()[std::size_t(linkType)] = std::move(factory);
    return previous;
}

bool DeleteLinkedFile(const std::string& link, const std::string& user, const std::string& password)
{
    try {
        if (IsUNCPath(link))
            return platform::MakeSmbFileAccess(link, user, password)->Remove(link);
        if (IsLocalPath(link) && !IsDrivePath(link))
            return platform::MakeLocalFileAccess()->Remove(link);
    } catch (const std::exception&) {
    }
    return false;
}
