// Entry point of every test program. ctest looks for the last line it
// prints: under Wine a crash does not always change the exit code.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#ifdef _WIN32
#include <windows.h>

// A crash ends the program at once with a line saying so, instead of
// waiting for a debugger that nobody will attach.
static LONG WINAPI ReportCrash(EXCEPTION_POINTERS *exception)
{
    std::printf("test program crashed: exception 0x%08lx\n", exception->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}
#endif

int main(int argc, char **argv)
{
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
#endif
    testing::InitGoogleTest(&argc, argv);
    int failed = RUN_ALL_TESTS();
    int ran = testing::UnitTest::GetInstance()->test_to_run_count();
#ifdef __SANITIZE_ADDRESS__
    __lsan_do_leak_check(); // a leak ends the program here, before the completion line
#endif
    if (failed == 0 && ran > 0)
        std::printf("test program finished: all tests passed (%d)\n", ran);
    else
        std::printf("test program finished: %d tests ran, some failed\n", ran);
    std::fflush(stdout);
    return failed;
}
