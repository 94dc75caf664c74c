#pragma once

#include <string>

namespace platform::inet {

// What every request of one stream carries: the name the program introduces itself with
// (none when empty), and whether cookies a server sets are sent back on the stream's later
// requests.
struct TInetSession {
    std::string UserAgent;
    bool UseCookies = true;
};

// The CA bundle that server certificates are checked against instead of the system's
// store: the file QUORVEX_CA_FILE names, or empty for the system's store.
std::string CaFileOverride();

} // namespace platform::inet
