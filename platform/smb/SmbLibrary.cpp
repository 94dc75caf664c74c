#include "platform/smb/SmbLibrary.h"

#include <cerrno>
#include <dlfcn.h>
#include <pthread.h>

namespace platform {

namespace {

// Samba's thread interface (smb_thread_set_functions, in libsamba-util, which libsmbclient
// loads). Without it every thread shares one stack of the library's temporary allocations;
// with it each thread has its own. Debian's libsmbclient does not export the library's own
// pthread version of these, so they are given here.
struct TSambaThreadFunctions {
    int (*CreateMutex)(const char* name, void** mutex, const char* location);
    void (*DestroyMutex)(void* mutex, const char* location);
    int (*LockMutex)(void* mutex, int lockType, const char* location);
    int (*CreateTls)(const char* name, void** key, const char* location);
    void (*DestroyTls)(void** key, const char* location);
    int (*SetTls)(void* key, const void* value, const char* location);
    void* (*GetTls)(void* key, const char* location);
};
constexpr int kSambaUnlock = 2;

int CreateMutex(const char*, void** mutex, const char*)
{
    auto* created = new pthread_mutex_t;
    pthread_mutex_init(created, nullptr);
    *mutex = created;
    return 0;
}

void DestroyMutex(void* mutex, const char*)
{
    pthread_mutex_destroy(static_cast<pthread_mutex_t*>(mutex));
    delete static_cast<pthread_mutex_t*>(mutex);
}

int LockMutex(void* mutex, int lockType, const char*)
{
    auto* locked = static_cast<pthread_mutex_t*>(mutex);
    return lockType == kSambaUnlock ? pthread_mutex_unlock(locked) : pthread_mutex_lock(locked);
}

int CreateTls(const char*, void** key, const char*)
{
    auto* created = new pthread_key_t;
    if (const int error = pthread_key_create(created, nullptr); error != 0) {
        delete created;
        return error;
    }
    *key = created;
    return 0;
}

void DestroyTls(void** key, const char*)
{
    if (!*key)
        return;
    pthread_key_delete(*static_cast<pthread_key_t*>(*key));
    delete static_cast<pthread_key_t*>(*key);
    *key = nullptr;
}

int SetTls(void* key, const void* value, const char*)
{
    return pthread_setspecific(*static_cast<pthread_key_t*>(key), value);
}

// Asked before the key exists as well: nothing is stored then.
void* GetTls(void* key, const char*)
{
    return key ? pthread_getspecific(*static_cast<pthread_key_t*>(key)) : nullptr;
}

// Before the library's first call; false when the library offers no thread interface.
bool GiveThreadSupport(void* library)
{
    using TSetFunctions = int (*)(const TSambaThreadFunctions*);
    const auto set = reinterpret_cast<TSetFunctions>(dlsym(library, "smb_thread_set_functions"));
    static const TSambaThreadFunctions functions{CreateMutex, DestroyMutex, LockMutex, CreateTls,
                                                 DestroyTls,  SetTls,       GetTls};
    return set && set(&functions) == 0;
}

}  // namespace

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
        functions.Threaded = GiveThreadSupport(handle);
        return &functions;
    }();
    if (!library)
        errno = ELIBACC;
    return library;
}

} // namespace platform
