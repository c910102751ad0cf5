#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::TestDatabase;

namespace {

// A desk process's lines, waited for with an upper bound so a lost datagram fails the test
// instead of hanging it.
struct DeskProcess {
    QTemporaryDir home;
    QProcess process;
    QStringList lines;

    DeskProcess(const QString& db, quint16 port, quint16 peerPort, const QString& user)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(ASV_DESK_PROCESS),
                      {u"--home"_s, home.path(), u"--db"_s, db, u"--port"_s, QString::number(port), u"--peer"_s,
                       u"127.0.0.1:%1"_s.arg(peerPort), u"--user"_s, user});
    }
    ~DeskProcess()
    {
        process.closeWriteChannel();
        if (!process.waitForFinished(10000))
            process.kill();
    }
    QString waitFor(const QString& prefix, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            for (const QString& line : std::as_const(lines))
                if (line.startsWith(prefix))
                    return line;
            process.waitForReadyRead(100);
            while (process.canReadLine())
                lines << QString::fromUtf8(process.readLine()).trimmed();
        }
        return {};
    }
};

} // namespace

TEST(DeskProcesses, ACallTakenOnOneDeskAppearsOnTheOtherAndIsStoredOnce)
{
    TestDatabase db;
    DBExecute(u"INSERT INTO local_user (code, loginid, name, consult) VALUES ('01', 'kim', '김상담', 1), "
              u"('02', 'lee', '이상담', 1)"_s);
    DBExecute(u"INSERT INTO customer (code, compname, telno1, charge) VALUES ('000001', '대한상사', '02-555-0001', '01')"_s);
    const quint16 portA = 36000 + static_cast<quint16>(QCoreApplication::applicationPid() % 2000) * 2;
    DeskProcess a(db.name(), portA, portA + 1, u"01"_s);
    DeskProcess b(db.name(), portA + 1, portA, u"02"_s);
    ASSERT_FALSE(a.waitFor(u"ready"_s).isEmpty());
    ASSERT_FALSE(b.waitFor(u"ready"_s).isEmpty());

    a.process.write("call 025550001\n");
    EXPECT_EQ(a.waitFor(u"row "_s), u"row 02-555-0001(1)"_s);
    EXPECT_EQ(b.waitFor(u"row "_s), u"row 02-555-0001(1)"_s);

    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM rsvconsult WHERE ctelno = '02-555-0001' AND ccode = '000001'"_s),
              u"1"_s);
}
