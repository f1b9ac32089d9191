#include <gtest/gtest.h>
#include <stdio.h>

int main(int argc, char** argv) {
    // Unbuffered, so a test killed for hanging still shows how far it got.
    setvbuf(stdout, NULL, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
