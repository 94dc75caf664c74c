#pragma once

#include <libsmbclient.h>

namespace platform {

// The functions of libsmbclient that the share layer calls. The library is loaded on the
// first share login, not at start: it brings a hundred more libraries with it, which cost
// every process some 40 ms and 10 MiB before it has done anything.
#define QUORVEX_SMB_FUNCTIONS(X)                                                                               \
    X(smbc_new_context) X(smbc_free_context) X(smbc_init_context) X(smbc_setDebug) X(smbc_setOptionUserData)    \
    X(smbc_getOptionUserData) X(smbc_setFunctionAuthDataWithContext) X(smbc_setPort) X(smbc_setTimeout)         \
    X(smbc_setOptionUseCCache) X(smbc_setOptionNoAutoAnonymousLogin) X(smbc_setOptionOpenShareMode)             \
    X(smbc_getFunctionOpen) X(smbc_getFunctionClose) X(smbc_getFunctionRead) X(smbc_getFunctionWrite)           \
    X(smbc_getFunctionLseek) X(smbc_getFunctionFtruncate) X(smbc_getFunctionFstat) X(smbc_getFunctionStat)      \
    X(smbc_getFunctionUtimes) X(smbc_getFunctionGetxattr) X(smbc_getFunctionSetxattr) X(smbc_getFunctionChmod)  \
    X(smbc_getFunctionUnlink) X(smbc_getFunctionMkdir)

struct TSmbLibrary {
#define QUORVEX_SMB_POINTER(name) decltype(&::name) name = nullptr;
    QUORVEX_SMB_FUNCTIONS(QUORVEX_SMB_POINTER)
#undef QUORVEX_SMB_POINTER
    // The library keeps its temporary allocations per thread (we give it the means when it
    // is loaded): calls on separate contexts may then run in separate threads at once.
    bool Threaded = false;
};

// The library, loaded on the first call; nullptr, with errno ELIBACC, when it cannot be.
const TSmbLibrary* SmbLibrary();

} // namespace platform
