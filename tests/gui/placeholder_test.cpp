#include <gtest/gtest.h>
TEST(Placeholder, Builds) { SUCCEED(); }
int main(int argc, char** argv) { ::testing::InitGoogleTest(&argc, argv); return RUN_ALL_TESTS(); }
