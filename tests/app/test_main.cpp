// The tests drive real widgets: one application object for the whole run,
// the program's own, so that errors reach its handler.
#include "app/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    daxo::app::DaxoApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
