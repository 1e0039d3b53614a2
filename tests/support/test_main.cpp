// Entry point of every test program. The last line it prints is what ctest
// looks for: under Wine a crash does not always change the exit code, so a
// run counts as passed only when this line appears.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    int failed = RUN_ALL_TESTS();
    int ran = testing::UnitTest::GetInstance()->test_to_run_count();
    if (failed == 0 && ran > 0)
        std::printf("test program finished: all tests passed (%d)\n", ran);
    else
        std::printf("test program finished: %d tests ran, some failed\n", ran);
    std::fflush(stdout);
    return failed;
}
