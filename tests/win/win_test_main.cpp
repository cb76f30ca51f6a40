// Entry point of the Wine test program: a console program whose tests create
// real windows on the thread that runs them.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
