#include "KoreanTranslation.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The standard dialogs speak Korean in the tests as they do in the program.
    asv::LoadKoreanTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
