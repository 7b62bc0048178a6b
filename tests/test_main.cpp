// Test entry point: the C locale, as printf-style formatting and streams depend on it.
#include <clocale>
#include <locale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
