#include "AppState.h"
#include "AsCommands.h"
#include "BackupCommands.h"
#include "BalanceCommands.h"
#include "CallCommands.h"
#include "ClusterStructure.h"
#include "ConnectionProfile.h"
#include "ConsolePrompter.h"
#include "CustomerCommands.h"
#include "DbError.h"
#include "LedgerCommands.h"
#include "LocalServer.h"
#include "MailCommands.h"
#include "NightlyBackup.h"
#include "OfficeDatabase.h"
#include "Paths.h"
#include "PaymentCommands.h"
#include "PeriodReportCommands.h"
#include "ProductCommands.h"
#include "SaleCommands.h"
#include "SmsCommands.h"
#include "SearchIndexes.h"
#include "UserSettings.h"
#include "ZipcodeCommands.h"
#include "cMySQL.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QTextStream>
#include <optional>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

int usage()
{
    out() << "usage: asvelmora-ctl [--home DIR] [--local-server] COMMAND\n"
             "       asvelmora-ctl --help | --version\n"
             "  The server and its password come from the connection profile kept under the program\n"
             "  folder (DIR), never from the command line, which every user of the machine can read.\n"
             "\n"
             "Commands:\n"
             "  db status                structure version and server version\n"
             "  db upgrade               bring the database structure up to date without asking\n"
             "  db create [--admin USER]\n"
             "                           make the profile's database, its account, structure and indexes on\n"
             "                           an office server as its administrator (root unless named), whose\n"
             "                           password is asked, or read from standard input, and kept nowhere\n"
             "  db index [--admin USER]  add the search indexes an older database lacks, online, and the keys\n"
             "                           a cluster needs; with --admin as that administrator of the server\n"
             "                           (password asked or read from standard input, kept nowhere), where\n"
             "                           binary logging refuses the program's account the triggers\n"
             "  db check-cluster         list what the database and its server lack for a cluster (exit 1)\n"
             "  local-server start|stop|status\n"
             "                           start, stop or ask after the private server of --local-server\n"
             "  customer find TEXT       the picker's search: code, name, short name, telephone\n"
             "  customer show CODE       one customer's main fields\n"
             "  product find TEXT        the code-entry search: code, then code, barcode, name\n"
             "  product barcode CODE     the product of a barcode\n"
             "  product show CODE        one product's fields\n"
             "  as add CUSTOMER PRODUCT TEXT\n"
             "                           receive an AS job; prints its number\n"
             "  as result JOB CODE AMOUNT [--cause C] [--free]\n"
             "                           add a result line with that result code (and cause code, else\n"
             "                           the first one offered); prints its number\n"
             "  sale add CUSTOMER PRODUCT QTY [--price P] [--date yyyy-mm-dd]\n"
             "                           store one sale line and move the customer's balance by its total\n"
             "  payment add CUSTOMER AMOUNT [--dc D] [--card]\n"
             "                           enter a payment of today for the customer with this code\n"
             "  report sales --from yyyy-mm-dd --to yyyy-mm-dd [--customer C] [--csv]\n"
             "                           the daily sales report's lines with day and grand totals\n"
             "  report ledger [--from yyyy-mm-dd --to yyyy-mm-dd] [--customer CODE] [--csv]\n"
             "                           the customer ledger; without a period every line\n"
             "  repair balances [--check]\n"
             "                           restore every customer's running balance from its documents;\n"
             "                           --check lists the differences only (exit 1 when there are any)\n"
             "  report receivables --from D --to D [--customer C] [--csv]\n"
             "                           the receivables status of the period\n"
             "  sms list CODE...         write the SMS program's recipient list of the customers\n"
             "  mail test ADDRESS        send the test mail with this user's mail settings\n"
             "  call NUMBER [--announce-only]\n"
             "                           record a received call as a desk's device would and show it\n"
             "                           on the open desks (only announce it with --announce-only)\n"
             "  backup [--keep N]        back the database up into the hour's file under BK_DB; prints it,\n"
             "                           then removes the oldest beyond N files (the setting Backup/KeepFiles,\n"
             "                           14 unless set; 0 keeps all); a private server not running is started\n"
             "                           for the run; a failure leaves a line the backup window shows\n"
             "  restore FILE             load a backup of ours into the database, replacing its tables\n"
             "                           all or nothing; the replaced ones are kept until the next backup\n"
             "  restore --undo           put back the tables the last restore replaced\n"
             "  zipcode import PATH      the postal address files (.txt, a folder of them, their .zip) or an\n"
             "                           older .mdb province file into the zipcode finder's province files\n"
             "  zipcode find TEXT        a zipcode, or a road or dong with an optional number, in every province\n";
    out().flush();
    return 2;
}

// The profile with the address of the private server where this run uses it.
std::optional<ConnectionProfile> profileInUse(bool useLocalServer)
{
    ConnectionProfile p = ConnectionProfile::read();
    if (useLocalServer || p.localServer) {
        LocalServer server;
        if (server.runningPid() == 0) {
            out() << "the local server is not running (asvelmora-ctl local-server start)\n";
            return std::nullopt;
        }
        p.host = u"127.0.0.1:"_s + UserSettings::get(u"LocalServer"_s, u"Port"_s);
    }
    return p;
}

bool connectTo(const std::optional<ConnectionProfile>& p)
{
    return p && DBInit(p->host, p->user, p->password, p->database, {}, 0, u"euckr"_s, p->tls);
}

bool connectDatabase(bool useLocalServer)
{
    return connectTo(profileInUse(useLocalServer));
}

int dbStatus(bool local)
{
    if (!connectDatabase(local))
        return 1;
    out() << "structure version: " << DBStructureVersion() << " (program: " << kProgramDbVersion << ")\n"
          << "server version: " << DBConnection(0)->get_server_info() << "\n"
          << "client library: " << cMySQL::get_client_info() << "\n";
    return 0;
}

int dbUpgrade(bool local)
{
    if (!connectDatabase(local))
        return 1;
    const int version = DBStructureVersion();
    if (version <= 0) {
        out() << "the database has no structure version: not created\n";
        return 1;
    }
    if (version > kProgramDbVersion) {
        out() << "the database (" << version << ") is newer than this program (" << kProgramDbVersion << ")\n";
        return 1;
    }
    if (version == kProgramDbVersion) {
        out() << "already at version " << version << "\n";
        return 0;
    }
    if (!UpgradeStructure(version))
        return 1;
    out() << "upgraded from " << version << " to " << DBStructureVersion() << "\n";
    return 0;
}

// Read without echo at a terminal; a script pipes it in.
QString administratorPassword()
{
    termios saved{};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        QTextStream(stderr) << "administrator password: " << Qt::flush;
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    const QString password = QTextStream(stdin).readLine();
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        QTextStream(stderr) << "\n" << Qt::flush;
    }
    return password;
}

// Desks may keep working meanwhile, but a large table still takes a while, so an office can
// choose a quiet hour for it. An administrator runs the statements where the server refuses the
// program's account the triggers.
int dbIndex(bool local, const QStringList& options)
{
    if (options.size() != 0 && (options.size() != 2 || options[0] != u"--admin"_s))
        return usage();
    const std::optional<ConnectionProfile> p = profileInUse(local);
    if (!connectTo(p))
        return 1;
    QStringList statements = SearchIndexes::missingStatements();
    if (statements.isEmpty()) {
        out() << "nothing to add\n";
        return 0;
    }
    cMySQL* runner = DBConnection(0);
    cMySQL admin;
    if (!options.isEmpty()) {
        statements = SearchIndexes::asDefiner(statements, DBGetValue(u"SELECT CURRENT_USER()"_s));
        admin.setTls(p->tls);
        try {
            admin.real_connect(p->host, options[1], administratorPassword(), p->database, 3306, {}, 0, u"euckr"_s);
        } catch (const DbError& e) {
            out() << "관리자 계정으로 서버에 접속할 수 없습니다.\n" << e.description().trimmed() << "\n";
            return 1;
        }
        runner = &admin;
    }
    const QList<SearchIndexes::Failure> failed =
        SearchIndexes::add(*runner, statements, [&](int done, const QString& next) {
            if (!next.isEmpty())
                out() << "[" << done + 1 << "/" << statements.size() << "] " << next << "\n";
            out().flush();
        });
    SearchIndexes::forget();
    for (const SearchIndexes::Failure& f : failed)
        out() << "failed: " << f.statement << "\n  " << f.error << "\n";
    out() << statements.size() - failed.size() << " of " << statements.size() << " added\n";
    if (const QString advice = SearchIndexes::adviceFor(failed); !advice.isEmpty())
        out() << "\n" << advice << "\n";
    return failed.isEmpty() ? 0 : 1;
}

int dbCheckCluster(bool local)
{
    if (!connectDatabase(local))
        return 1;
    const QStringList lacking = ClusterStructure::lacks();
    for (const QString& line : lacking)
        out() << "- " << line << "\n";
    out() << (lacking.isEmpty() ? "클러스터에 필요한 것이 모두 갖춰져 있습니다.\n"
                                : "테이블의 엔진과 기본 키는 asvelmora-ctl db index 가 고칩니다.\n");
    return lacking.isEmpty() ? 0 : 1;
}

// A profile still on the maker's shared account, or without a password, gets an account of the
// installation's own, as the private server gives it; the profile is written only once created.
int dbCreate(const QStringList& options)
{
    if (options.size() != 0 && (options.size() != 2 || options[0] != u"--admin"_s))
        return usage();
    ConnectionProfile p = ConnectionProfile::read();
    if (p.localServer) {
        out() << "the profile uses the private server, which makes its own database (local-server start)\n";
        return 1;
    }
    const bool ownAccount = p.user == ConnectionProfile::sharedAccount() || p.password.isEmpty();
    if (ownAccount) {
        p.user = LocalServer::ownAccount();
        p.password = ConnectionProfile::generatePassword();
    }
    const ServerLogin admin{p.host, options.isEmpty() ? u"root"_s : options[1], administratorPassword(), {}, p.tls};
    QString message;
    const OfficeDatabase::Outcome outcome =
        OfficeDatabase::create(admin, {p.host, p.user, p.password, p.database, p.tls}, message);
    out() << message << "\n";
    if (outcome != OfficeDatabase::Outcome::Created)
        return 1;
    if (ownAccount)
        p.write();
    out() << "account " << p.user << ", structure version " << kProgramDbVersion << "\n";
    return 0;
}

// At night the program, and with it its private server, is usually closed: the backup starts the
// server for its own run.
int backup(bool local, const QStringList& options)
{
    ConnectionProfile p = ConnectionProfile::read();
    LocalServer server;
    if ((local || p.localServer) && server.runningPid() == 0 && (!server.start() || !server.prepare(p))) {
        out() << server.error() << "\n";
        NightlyBackup::recordFailure(server.error());
        return 1;
    }
    const int rc = backupCommand(out(), options, connectDatabase(local));
    DBClose();
    return rc == 2 ? usage() : rc;
}

int localServer(const QString& action)
{
    LocalServer server;
    if (action == u"status"_s) {
        const qint64 pid = server.runningPid();
        if (pid == 0)
            out() << "stopped\n";
        else
            out() << "running, pid " << pid << ", port " << UserSettings::get(u"LocalServer"_s, u"Port"_s) << ", folder "
                  << server.folder() << "\n";
        return 0;
    }
    if (action == u"start"_s) {
        ConnectionProfile p = ConnectionProfile::read();
        if (!server.start(20000, true) || !server.prepare(p)) {
            out() << server.error() << "\n";
            return 1;
        }
        out() << "running on " << server.host() << "\n";
        return 0;
    }
    if (action == u"stop"_s)
        return server.stopAny() ? 0 : 1;
    return usage();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    bool local = false;
    if (const qsizetype i = args.indexOf(u"--home"_s); i >= 0 && i + 1 < args.size()) {
        Paths::setProgramFolder(args[i + 1]);
        args.remove(i, 2);
    }
    if (args.removeAll(u"--local-server"_s) > 0)
        local = true;
    ConsolePrompter prompter(MsgAnswer::No);
    int rc = 2;
    if (args == QStringList{u"--version"_s}) {
        out() << "asvelmora-ctl " << ASV_VERSION << "\n";
        rc = 0;
    } else if (args == QStringList{u"--help"_s}) {
        usage();
        rc = 0;
    } else if (args.size() == 2 && args[0] == u"db"_s && args[1] == u"status"_s)
        rc = dbStatus(local);
    else if (args.size() == 2 && args[0] == u"db"_s && args[1] == u"upgrade"_s)
        rc = dbUpgrade(local);
    else if (args.size() >= 2 && args[0] == u"db"_s && args[1] == u"create"_s)
        rc = dbCreate(args.mid(2));
    else if (args.size() >= 2 && args[0] == u"db"_s && args[1] == u"index"_s)
        rc = dbIndex(local, args.mid(2));
    else if (args.size() == 2 && args[0] == u"db"_s && args[1] == u"check-cluster"_s)
        rc = dbCheckCluster(local);
    else if (args.size() == 2 && args[0] == u"local-server"_s)
        rc = localServer(args[1]);
    else if (args.size() == 3 && args[0] == u"customer"_s && (args[1] == u"find"_s || args[1] == u"show"_s))
        rc = !connectDatabase(local) ? 1
             : args[1] == u"find"_s  ? customerFind(out(), args[2])
                                     : customerShow(out(), args[2]);
    else if (args.size() == 3 && args[0] == u"product"_s
             && (args[1] == u"find"_s || args[1] == u"barcode"_s || args[1] == u"show"_s))
        rc = !connectDatabase(local)    ? 1
             : args[1] == u"find"_s     ? productFind(out(), args[2])
             : args[1] == u"barcode"_s  ? productBarcode(out(), args[2])
                                        : productShow(out(), args[2]);
    else if (args.size() == 5 && args[0] == u"as"_s && args[1] == u"add"_s)
        rc = !connectDatabase(local) ? 1 : asAdd(out(), args[2], args[3], args[4]);
    else if (args.size() >= 2 && args[0] == u"as"_s && args[1] == u"result"_s) {
        rc = !connectDatabase(local) ? 1 : asResult(out(), args.mid(2));
        if (rc == 2)
            usage();
    } else if (args.size() >= 2 && args[0] == u"sale"_s) {
        rc = !connectDatabase(local) ? 1 : saleCommand(out(), args.mid(1));
        if (rc == 2)
            usage();
    } else if (args.size() >= 2 && args[0] == u"payment"_s && args[1] == u"add"_s)
        rc = !connectDatabase(local) ? 1 : paymentAdd(out(), args.mid(2));
    else if (args.size() >= 2 && args[0] == u"report"_s && args[1] == u"sales"_s)
        rc = !connectDatabase(local) ? 1 : reportSales(out(), args.mid(2));
    else if (args.size() >= 2 && args[0] == u"report"_s && args[1] == u"ledger"_s)
        rc = !connectDatabase(local) ? 1 : reportLedger(out(), args.mid(2));
    else if (args.size() >= 2 && args.size() <= 3 && args[0] == u"repair"_s && args[1] == u"balances"_s
             && (args.size() == 2 || args[2] == u"--check"_s))
        rc = !connectDatabase(local) ? 1 : repairBalances(out(), args.size() == 3);
    else if (args.size() >= 2 && args[0] == u"report"_s && args[1] == u"receivables"_s)
        rc = !connectDatabase(local) ? 1 : reportReceivables(out(), args.mid(2));
    else if (args.size() >= 3 && args[0] == u"sms"_s && args[1] == u"list"_s)
        rc = !connectDatabase(local) ? 1 : smsList(out(), args.mid(2));
    else if (!args.isEmpty() && args[0] == u"backup"_s)
        rc = backup(local, args.mid(1));
    else if (args.size() == 2 && args[0] == u"restore"_s && args[1] == u"--undo"_s)
        rc = !connectDatabase(local) ? 1 : undoRestoreCommand(out());
    else if (args.size() == 2 && args[0] == u"restore"_s)
        rc = !connectDatabase(local) ? 1 : restoreCommand(out(), args[1]);
    else if (args.size() == 3 && args[0] == u"mail"_s && args[1] == u"test"_s)
        rc = mailTest(args[2]);
    else if (args.size() >= 2 && args[0] == u"call"_s) {
        const bool announceOnly = args.removeAll(u"--announce-only"_s) > 0;
        // The desks of the private server listen on loopback only.
        App().UseLocalServer = local || ConnectionProfile::read().localServer;
        if (args.size() != 2)
            rc = usage();
        else
            rc = announceOnly ? callCommand(out(), args[1], true)
                              : !connectDatabase(local) ? 1 : callCommand(out(), args[1], false);
    }
    else if (args.size() == 3 && args[0] == u"zipcode"_s && (args[1] == u"import"_s || args[1] == u"find"_s))
        rc = args[1] == u"import"_s ? zipcodeImport(out(), args[2]) : zipcodeFind(out(), args[2]);
    else
        rc = usage();
    out().flush();
    DBClose();
    return rc;
}
