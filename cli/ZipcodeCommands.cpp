#include "ZipcodeCommands.h"

#include "PostDatabaseSet.h"
#include "PostImport.h"
#include "ZipcodeFolder.h"
#include "ZipcodeProvinces.h"
#include "ZipcodeSearch.h"
#include "modMsgBox.h"

#include <QElapsedTimer>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

int zipcodeImport(QTextStream& out, const QString& path)
{
    return Guarded(u"zipcodeImport"_s, u"Module"_s, u"ZipcodeCommands"_s, 1, [&] {
        QElapsedTimer timer;
        timer.start();
        PostImport import(ZipcodeFolder::path());
        import.importAny(path);
        qint64 total = 0;
        for (auto it = import.rowsByProvince().cbegin(); it != import.rowsByProvince().cend(); ++it) {
            const ZipcodeProvince& p = ZipcodeProvinces::all()[it.key()];
            out << p.name << " (" << ZipcodeProvinces::fileName(p) << "): " << it.value() << "\n";
            total += it.value();
        }
        const double seconds = std::max(timer.elapsed(), qint64(1)) / 1000.0;
        out << total << " rows in " << QString::number(seconds, 'f', 1) << " s ("
            << qRound64(static_cast<double>(total) / seconds) << " rows/s) into " << ZipcodeFolder::path() << "\n";
        return 0;
    });
}

int zipcodeFind(QTextStream& out, const QString& text)
{
    return Guarded(u"zipcodeFind"_s, u"Module"_s, u"ZipcodeCommands"_s, 1, [&] {
        ZipcodeSearch search;
        QStringList words = text.split(u' ', Qt::SkipEmptyParts);
        if (words.size() > 1 && ZipcodeSearch::parseNumber(words.last())) {
            search.number = words.takeLast();
        }
        search.word = words.join(u' ');
        if (const QString refusal = search.refusal(); !refusal.isEmpty()) {
            MsgInfo(refusal);
            return 1;
        }
        PostDatabaseSet databases(ZipcodeFolder::path());
        for (const PostDatabaseSet::OpenFailure& f : databases.openAll())
            MsgWarn(u"DB 연결 실패 : "_s + f.message, u"오류"_s);
        PostDatabaseSet::Result found = databases.search(-1, search);
        // Roads are named whole, dongs by their start: a word is tried as both.
        if (!search.isZipcode()) {
            search.tab = ZipcodeSearch::Tab::Road;
            const PostDatabaseSet::Result roads = databases.search(-1, search);
            found.rows += roads.rows;
            found.old = found.old || roads.old;
        }
        if (found.old)
            out << "※구버전의 우편DB파일이 있습니다.\n";
        for (const ZipcodeAddress& a : std::as_const(found.rows))
            out << a.roadLine() << "\n" << a.lotLine() << "\n";
        if (found.rows.isEmpty())
            out << search.notFoundLines().join(u'\n') << "\n";
        out << "조회 건수: " << found.rows.size() << " 건\n";
        return found.rows.isEmpty() ? 1 : 0;
    });
}

} // namespace asv
