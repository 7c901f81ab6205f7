// Test entry: the program's own application object on the offscreen platform, so that exceptions
// escaping handlers reach the error box and ProgramEnd is recorded, as in the program.
#include "platform/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
