#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // Tests set the formats they need explicitly; the C locale keeps the rest fixed.
    std::setlocale(LC_ALL, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
