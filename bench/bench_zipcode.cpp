// The zipcode finder over about 6.4 million generated addresses in 17 province files: a road, a
// dong and a zipcode search over every province, through the finder's store and on into its result
// list's model as far as a list shows it, against the same statements stepped bare through SQLite with nothing converted.
//   bench_zipcode [--folder DIR] [benchmark flags]
// The province files are generated once (text files in the postal layout, then the importer) into
// DIR (default /tmp/asv_zipcode_bench) and kept; delete the folder to generate them again.
#include "ConsolePrompter.h"
#include "MedianRatioReporter.h"
#include "PostDatabaseSet.h"
#include "PostImport.h"
#include "ZipcodeFolder.h"
#include "ZipcodeProvinces.h"
#include "ZipcodeResultModel.h"
#include "ZipcodeSearch.h"
#include "ZipcodeSettings.h"
#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <memory>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

// Rows per province as in a recent release, scaled to its total of 6,422,465.
constexpr std::array<int, 17> kWeights{531, 1250, 230, 380, 130, 130, 250, 120, 420, 750, 800, 620, 500, 520, 380, 140, 40};
constexpr qint64 kTotalRows = 6422465;
constexpr int kRowsPerDong = 2400;
constexpr int kRowsPerRoad = 160;

const char16_t kSyllables[] = u"가나다라마바사아자차카타파하강남동서북중신월화수목금토산천해송솔별빛달샘봄여름갈겨울";

// One of 64,000 names of three syllables.
QString Name(int k)
{
    const int n = static_cast<int>(std::size(kSyllables)) - 1;
    k %= n * n * n;
    return QString(QChar(kSyllables[k % n])) + QChar(kSyllables[(k / n) % n]) + QChar(kSyllables[k / n / n]);
}

// One province's text file: dongs of 2,400 rows in districts of 12 dongs, roads of 160 buildings;
// names of three syllables, so that a two-syllable dong word finds a few dongs. Provinces (not cities)
// have eup and myeon with ri.
void GenerateProvince(const ZipcodeProvince& p, qint64 rows, const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray out = "\xEF\xBB\xBF";
    out += u"우편번호|시도|시도영문|시군구|시군구영문|읍면|읍면영문|도로명코드|도로명|도로명영문|지하여부|건물번호본번|"
           "건물번호부번|건물관리번호|다량배달처명|시군구용건물명|법정동코드|법정동명|리명|행정동명|산여부|지번본번|"
           "읍면동일련번호|지번부번|구우편번호|우편번호일련번호\n"_s.toUtf8();
    const bool rural = p.name.endsWith(u'도');
    for (qint64 i = 0; i < rows; ++i) {
        const int dong = static_cast<int>(i / kRowsPerDong);
        const int road = static_cast<int>(i / kRowsPerRoad);
        const int inRoad = static_cast<int>(i % kRowsPerRoad);
        const int district = dong / 12;
        const bool eup = rural && dong % 3 == 0;
        const QString dongStem = Name(dong * 37 + p.index * 3001);
        const QString dongName = dongStem + (eup ? u"면"_s : u"동"_s);
        const QByteArray zip = QByteArray::number(10000 + p.index * 5000 + (i / 40) % 5000);
        QByteArrayList fields{zip,
                              p.name.toUtf8(),
                              "X",
                              (Name(district * 13 + p.index) + (rural ? u"군"_s : u"구"_s)).toUtf8(),
                              "",
                              eup ? dongName.toUtf8() : QByteArray(),
                              "",
                              QByteArray::number(100000000000LL + road),
                              (Name(road * 7 + p.index * 1009) + (road % 4 == 0 ? u"로"_s : u"길"_s)
                               + (road % 5 == 0 ? QString::number(road % 40 + 1) + u"번길"_s : QString()))
                                  .toUtf8(),
                              "",
                              inRoad % 50 == 0 ? "1" : "0",
                              QByteArray::number(inRoad * 2 + 1),
                              QByteArray::number(inRoad % 7 == 0 ? 1 : 0),
                              QByteArray::number(1000000000000000000LL + i),
                              "",
                              inRoad % 9 == 0 ? (Name(road + 5) + u"빌딩"_s).toUtf8() : QByteArray(),
                              QByteArray::number(1100000000LL + dong),
                              dongName.toUtf8(),
                              eup ? (Name(static_cast<int>(i / 300) * 13 + p.index * 101 + 777) + u"리"_s).toUtf8() : QByteArray(),
                              (eup ? dongName : dongStem + QString::number(dong % 3 + 1) + u"동"_s).toUtf8(),
                              inRoad % 30 == 0 ? "1" : "0",
                              QByteArray::number(i % kRowsPerDong + 1),
                              "01",
                              QByteArray::number(inRoad % 4),
                              "",
                              "001"};
        out += fields.join('|');
        out += '\n';
        if (out.size() > (8 << 20)) {
            f.write(out);
            out.clear();
        }
    }
    f.write(out);
}

qint64 FolderBytes(const QString& folder)
{
    qint64 bytes = 0;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        bytes += it.fileInfo().size();
    }
    return bytes;
}

void Generate(const QString& folder)
{
    const QString text = folder + u"/text"_s;
    QDir().mkpath(text);
    const int weightSum = std::accumulate(kWeights.begin(), kWeights.end(), 0);
    QElapsedTimer timer;
    timer.start();
    for (const ZipcodeProvince& p : ZipcodeProvinces::all()) {
        const qint64 rows = kTotalRows * kWeights[static_cast<size_t>(p.index)] / weightSum;
        GenerateProvince(p, rows, text + u'/' + p.tag + u".txt"_s);
    }
    std::printf("text written in %.1f s: %.0f MB\n", timer.elapsed() / 1000.0, FolderBytes(text) / 1e6);
    timer.restart();
    const std::clock_t cpu = std::clock();
    PostImport import(ZipcodeFolder::under(folder));
    import.importText(text);
    const double seconds = timer.elapsed() / 1000.0;
    const double cpuSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    qint64 rows = 0;
    for (qint64 n : import.rowsByProvince())
        rows += n;
    // The machine is shared: the processor time tells what the import costs by itself.
    std::printf("imported %lld rows in %.1f s (%.0f rows/s), processor time %.1f s (%.0f rows/s); province files %.0f MB\n",
                static_cast<long long>(rows), seconds, static_cast<double>(rows) / seconds, cpuSeconds,
                static_cast<double>(rows) / cpuSeconds, FolderBytes(ZipcodeFolder::under(folder)) / 1e6);
    QDir(text).removeRecursively();
}

struct Case {
    const char* name;
    ZipcodeSearch search;
    int rows = 0;
};

std::vector<Case> g_cases;
std::unique_ptr<PostDatabaseSet> g_set;
std::vector<sqlite3*> g_bare;

int BareSearch(const ZipcodeSearch& search)
{
    QVariantList values;
    const QByteArray sql = search.sql(values).toUtf8();
    QList<QByteArray> texts;
    for (const QVariant& v : values)
        texts << v.toString().toUtf8();
    int rows = 0;
    for (sqlite3* db : g_bare) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &s, nullptr);
        for (int i = 0; i < values.size(); ++i) {
            if (values[i].typeId() == QMetaType::Int)
                sqlite3_bind_int(s, i + 1, values[i].toInt());
            else
                sqlite3_bind_text(s, i + 1, texts[i].constData(), static_cast<int>(texts[i].size()), SQLITE_STATIC);
        }
        while (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < 16; ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(s, c));
            ++rows;
        }
        sqlite3_finalize(s);
    }
    return rows;
}

void BareSQL(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        if (BareSearch(c.search) != c.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = c.rows;
}

void Store(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        if (g_set->search(-1, c.search).rows.size() != c.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = c.rows;
}

// The lines a result list has in sight.
constexpr int kLinesInSight = 30;

// The search, its result put into the list's model and the lines in sight made.
void Model(benchmark::State& state, const Case& c)
{
    ZipcodeResultModel list;
    for (auto _ : state) {
        list.setResult({}, g_set->search(-1, c.search).rows, {});
        for (int row = 0; row < std::min(kLinesInSight, list.rowCount()); ++row)
            benchmark::DoNotOptimize(list.data(list.index(row), Qt::DisplayRole));
        if (list.rowCount() != 2 * c.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = c.rows;
}

// BM_<case>_BareSQL, BM_<case>_Store, BM_<case>_Model.
void Register(const Case& c)
{
    const std::string prefix = std::string("BM_") + c.name + "_";
    for (const auto& [suffix, run] : {std::pair{"BareSQL", &BareSQL}, {"Store", &Store}, {"Model", &Model}}) {
        benchmark::RegisterBenchmark((prefix + suffix).c_str(), run, c)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(9)
            ->ReportAggregatesOnly(true);
    }
}

QString FirstValue(sqlite3* db, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    QString value;
    if (sqlite3_step(s) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ConsolePrompter prompter(MsgAnswer::No);
    QString folder = u"/tmp/asv_zipcode_bench"_s;
    QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(u"--folder"_s); i >= 0 && i + 1 < args.size())
        folder = args[i + 1];
    InitializeInterleaved(argc, argv);

    Paths::setProgramFolder(folder);
    ZipcodeSettings::FirstUseShown.set(true);
    const QString dbs = ZipcodeFolder::under(folder);
    if (!QFile::exists(dbs + u"/dbPost_Sejong.db"_s))
        Generate(folder);
    std::printf("province files: %.0f MB in %s\n", FolderBytes(dbs) / 1e6, qPrintable(dbs));

    g_set = std::make_unique<PostDatabaseSet>(dbs);
    if (!g_set->openAll().isEmpty())
        qFatal("a province file would not open");
    for (const ZipcodeProvince& p : ZipcodeProvinces::all()) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(qPrintable(dbs + u'/' + ZipcodeProvinces::fileName(p)), &db, SQLITE_OPEN_READONLY, nullptr);
        g_bare.push_back(db);
    }
    // Words taken from the data: a road of Seoul, the start of a dong of Gyeonggi, a zipcode of Busan.
    ZipcodeSearch road;
    road.tab = ZipcodeSearch::Tab::Road;
    road.word = FirstValue(g_bare[0], "SELECT 도로명 FROM Post LIMIT 1 OFFSET 200000");
    ZipcodeSearch dong;
    dong.word = FirstValue(g_bare[1], "SELECT substr(법정동명, 1, 2) FROM Post LIMIT 1 OFFSET 300000");
    ZipcodeSearch zipcode;
    zipcode.word = FirstValue(g_bare[3], "SELECT 우편번호 FROM Post LIMIT 1 OFFSET 100000");
    g_cases = {{"road", road}, {"dong", dong}, {"zipcode", zipcode}};
    for (Case& c : g_cases) {
        c.rows = BareSearch(c.search);
        std::printf("%s search \"%s\": %d rows\n", c.name, qPrintable(c.search.word), c.rows);
    }

    for (const Case& c : g_cases)
        Register(c);
    for (const Case& c : g_cases) {
        const std::string prefix = std::string("BM_") + c.name + "_";
        MedianRatioReporter report(prefix + "BareSQL");
        benchmark::RunSpecifiedBenchmarks(&report, prefix);
    }

    for (sqlite3* db : g_bare)
        sqlite3_close(db);
    benchmark::Shutdown();
    return 0;
}
