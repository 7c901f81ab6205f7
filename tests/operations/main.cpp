// Test entry: the program's own application object on the offscreen platform (unless the run names
// a platform or a display: the screenshot check runs under Xvfb), so that exceptions
// escaping handlers reach the error box and ProgramEnd is recorded, as in the program.
#include "platform/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
