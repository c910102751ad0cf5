// One consult desk in a process of its own, for the tests that need desks on separate sockets and
// connections: "call <number>" on stdin rings its device; every new row of its call list is printed
// as "row <number cell>".
#include "AppState.h"
#include "ConsolePrompter.h"
#include "ConsultDesk.h"
#include "Grid.h"
#include "Paths.h"
#include "TestDatabase.h"
#include "UdpRelaySettings.h"
#include "frmAS_admin4.h"
#include "modMySQL_Func.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

void say(const QString& line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions({{u"home"_s, u"program folder"_s, u"dir"_s},
                        {u"db"_s, u"database"_s, u"name"_s},
                        {u"port"_s, u"own UDP port"_s, u"port"_s},
                        {u"peer"_s, u"the other desk"_s, u"address"_s},
                        {u"user"_s, u"operator code"_s, u"code"_s}});
    options.process(app);
    Paths::setProgramFolder(options.value(u"home"_s));
    UdpRelaySettings::Port.set(options.value(u"port"_s).toInt());
    UdpRelaySettings::Peers.set(options.value(u"peer"_s));
    App().UserCode = options.value(u"user"_s);
    ConsolePrompter prompter(MsgAnswer::No);
    const test::ServerAccount server = test::testServer();
    if (!DBInit(server.host, server.user, server.password, options.value(u"db"_s)))
        return 1;

    frmAS_admin4* desk = CreateConsultDesk(nullptr);
    desk->show();
    Grid* list = desk->findChild<Grid*>(u"spListRsv"_s);
    // The row's texts are set right after it is inserted: read them once that is done.
    QObject::connect(&list->cells(), &QAbstractItemModel::rowsInserted, desk, [list](const QModelIndex&, int first) {
        QTimer::singleShot(0, list, [list, first] { say(u"row "_s + list->text(first, frmAS_admin4::ColNumber)); });
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, desk, [desk, &input] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer - 1);
        if (n <= 0) {
            input.setEnabled(false);
            desk->close();
            QCoreApplication::quit();
            return;
        }
        for (const QString& line : QString::fromUtf8(buffer, n).split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(u"call "_s))
                desk->InputCID(line.mid(5), true, std::chrono::steady_clock::now());
        }
    });
    say(u"ready"_s);
    return app.exec();
}
