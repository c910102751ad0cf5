#include "KoreanTranslation.h"

#include "DataLog.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace asv {

bool LoadKoreanTranslation()
{
    // Owned by the application, so a new application loads it again.
    static QPointer<QTranslator> translator;
    if (translator)
        return true;
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QLocale(QLocale::Korean, QLocale::SouthKorea), u"qtbase"_s, u"_"_s,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qCWarning(lcData) << "no Korean translation of Qt in" << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

} // namespace asv
