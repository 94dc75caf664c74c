#include "platform/smb/SmbLibrary.h"

#include <cerrno>
#include <dlfcn.h>

namespace platform {

const TSmbLibrary* SmbLibrary()
{
    // Loaded once and kept: contexts live in it until the process ends.
    static const TSmbLibrary* library = []() -> const TSmbLibrary* {
        void* handle = dlopen("libsmbclient.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return nullptr;
        static TSmbLibrary functions;
#define QUORVEX_SMB_LOAD(name)                                                                                 \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));                                \
    if (!functions.name)                                                                                       \
        return nullptr;
        QUORVEX_SMB_FUNCTIONS(QUORVEX_SMB_LOAD)
#undef QUORVEX_SMB_LOAD
        return &functions;
    }();
    if (!library)
        errno = ELIBACC;
    return library;
}

} // namespace platform
