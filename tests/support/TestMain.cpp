// main() of every test binary, in place of GoogleTest's own.

#include <gtest/gtest.h>

#include <cstdlib>

// Sanitizer builds read their options and suppressions from here, so a test binary run by
// hand finds the same ones as under CTest. The suppression file says why each entry is there.
#ifdef QUORVEX_SANITIZER_DIR
extern "C" {
const char* __asan_default_options()
{
    // Samba's libraries keep no frame pointers: only the slow unwinder sees through them to
    // the frames that the leak suppressions name. The leak check at exit crashed in about one
    // run in four of the worker tests while walking the threads' dynamic TLS (libcurl's and
    // Samba's); without that walk it does not.
    return "detect_stack_use_after_return=1:strict_init_order=1:fast_unwind_on_malloc=0:"
           "intercept_tls_get_addr=0";
}
const char* __lsan_default_options()
{
    return "suppressions=" QUORVEX_SANITIZER_DIR "/lsan.supp";
}
const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}
const char* __tsan_default_options()
{
    // Every race of a run is reported, not only the first.
    return "halt_on_error=0:second_deadlock_stack=1";
}
}
#endif

int main(int argc, char** argv)
{
    // The servers of the tests listen on loopback: a proxy of the machine must not stand between.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
