#pragma once

#include "platform/files/FileAccess.h"

#include <string>

namespace platform {

// The TCP port of SMB servers: 445, or the value of QUORVEX_SMB_PORT (tests use it).
int SmbPort();

// "\\srv\share\dir\f" -> "smb://srv/share/dir/f" (either slash accepted; characters that
// would end or escape a URL are percent-encoded).
std::string UncToSmbUrl(const std::string& uncPath);

// Files on the share that uncPath names ("\\srv\share\..."), and on other shares of that
// server, addressed by UNC paths. Each object uses a libsmbclient context of its own that
// carries its credentials: an empty user name logs in as guest (never falls back to it
// otherwise); a user name with an empty password sends an empty password. Connect() really
// logs in to the share, so a wrong password, an unknown share or an unreachable server fail
// there. A disconnected context, still logged in, serves the next object for the same share
// and login. Objects may be used in several threads; their calls into the library take turns.
std::unique_ptr<TFileAccess> MakeSmbFileAccess(const std::string& uncPath, const std::string& user,
                                               const std::string& password);

} // namespace platform
