#include "GuiPrompter.h"
#include "KoreanTranslation.h"
#include "modMain.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ASVelmora"));
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    // Hangul needs a font that has it; the setup installs Nanum.
    if (QFontDatabase::families().contains(QStringLiteral("NanumGothic")))
        QApplication::setFont(QFont(QStringLiteral("NanumGothic"), 10));
    asv::LoadKoreanTranslation();
    asv::GuiPrompter messageBoxes;
    asv::Prompter::setStandard(&messageBoxes);
    return asv::SubMain(asv::StartOptions::parse(QApplication::arguments()));
}
