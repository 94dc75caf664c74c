#pragma once

#include "core/Links.h"
#include "platform/inet/InetSession.h"
#include "transfer/TransferStream.h"

#include <functional>
#include <memory>
#include <string>

// What a worker hands to the stream it creates besides the link and the credentials.
struct TStreamSettings {
    bool Ascii = false;       // FTP text mode
    bool Passive = false;     // FTP passive mode
    std::string UserAgent;
    bool UseCookies = true;
    platform::inet::TInetProxy Proxy;   // FTP and HTTP connections go this way
};

using TStreamFactory = std::function<std::unique_ptr<TTransferStream>(
    const std::string& link, const std::string& user, const std::string& password, const TStreamSettings& settings)>;

// The stream for a link of the given type; null when no stream serves that type.
std::unique_ptr<TTransferStream> MakeStream(TLinkType linkType, const std::string& link, const std::string& user,
                                            const std::string& password, const TStreamSettings& settings);

// Whether a stream serves links of that type in this build.
bool HasStreamFactory(TLinkType linkType);

// Replaces the maker of one link type and returns the previous one; the protocol streams
// register themselves here, and tests wrap a stream to make it misbehave. Set before any
// worker runs.
TStreamFactory SetStreamFactory(TLinkType linkType, TStreamFactory factory);

// Deletes the file that a local path or a share path names, logging in to the share with
// user and password; false when that failed, and for links whose files this program does
// not delete (FTP, HTTP, drive paths).
bool DeleteLinkedFile(const std::string& link, const std::string& user, const std::string& password);
