// The window tests' entry point. Once the tests have run and reported, the process ends
// at once: the GL driver, X and audio threads are torn down by the system, not by static
// destructors racing them (an occasional crash after every test had passed).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(nullptr);
    std::_Exit(result);
}
