// The list's model on a large result: loading 100,000 rows x 20 columns from a record set, making
// the texts of a screenful of rows at 100 scroll positions, sorting by a number column. Peak memory of
// the process is reported with every benchmark (ru_maxrss).

#include "Cp949.h"
#include "GridModel.h"
#include "RecordSet.h"
#include "mdlCommonOstra.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 20;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A customer-list-like result: codes, Hangul names and addresses, telephones, amounts, dates.
asv::RecordSetPtr makeRows()
{
    static const QStringList names = {u"한빛전자"_s, u"대성상사"_s, u"푸른산업"_s, u"미래정보통신"_s, u"동해물산"_s};
    static const QStringList towns = {u"서울시 강남구 테헤란로"_s, u"부산시 해운대구 센텀로"_s, u"대구시 수성구 동대구로"_s};
    auto rs = std::make_shared<asv::RecordSet>();
    QStringList fields;
    for (int c = 0; c < kCols; ++c)
        fields << u"f%1"_s.arg(c);
    rs->setFields(fields);
    std::vector<QByteArray> values(kCols);
    std::vector<const char*> ptrs(kCols);
    std::vector<unsigned long> lengths(kCols);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            QString v;
            switch (c % 5) {
            case 0:
                v = u"%1"_s.arg(r + c, 6, 10, QChar(u'0'));
                break;
            case 1:
                v = names[(r + c) % names.size()] + QString::number(r);
                break;
            case 2:
                v = towns[(r + c) % towns.size()] + u' ' + QString::number(r % 500);
                break;
            case 3:
                v = QString::number((r * 7919 + c * 104729) % 10000000);
                break;
            default:
                v = u"2024-%1-%2"_s.arg(1 + r % 12, 2, 10, QChar(u'0')).arg(1 + r % 28, 2, 10, QChar(u'0'));
                break;
            }
            values[static_cast<size_t>(c)] = asv::Cp949::encode(v);
            ptrs[static_cast<size_t>(c)] = values[static_cast<size_t>(c)].constData();
            lengths[static_cast<size_t>(c)] = static_cast<unsigned long>(values[static_cast<size_t>(c)].size());
        }
        rs->appendRow(ptrs.data(), lengths.data());
    }
    rs->finish();
    return rs;
}

const asv::RecordSetPtr& rows()
{
    static const asv::RecordSetPtr rs = makeRows();
    return rs;
}

// The rows a list shows at once on a full-height window.
constexpr int kScreenful = 35;

void defineColumns(asv::GridModel& cells)
{
    cells.setColumnCount(kCols);
    for (int c = 0; c < kCols; ++c)
        cells.setCaption(c, u"열%1"_s.arg(c + 1));
    for (int c = 3; c < kCols; c += 5)
        cells.setNumberColumn(c, asv::GetDecFormat(0, true, true));
}

// The texts a list draws for the screenful starting at first.
void makeScreenful(const asv::GridModel& cells, int first)
{
    for (int r = first; r < std::min(first + kScreenful, cells.rowCount()); ++r) {
        for (int c = 0; c < kCols; ++c)
            benchmark::DoNotOptimize(cells.data(cells.index(r, c), Qt::DisplayRole));
    }
}

void BM_GridLoad(benchmark::State& state)
{
    const asv::RecordSetPtr& rs = rows();
    for (auto _ : state) {
        asv::GridModel cells;
        defineColumns(cells);
        cells.setRecordSet(rs);
        // The operator waits until the first screenful is there.
        makeScreenful(cells, 0);
    }
    state.counters["rows"] = kRows;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_GridLoad)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_GridScroll100(benchmark::State& state)
{
    asv::GridModel cells;
    defineColumns(cells);
    cells.setRecordSet(rows());
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i)
            makeScreenful(cells, kRows / 100 * i);
    }
    state.counters["views"] = 100;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_GridScroll100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_GridSortNumbers(benchmark::State& state)
{
    asv::GridModel cells;
    defineColumns(cells);
    cells.setRecordSet(rows());
    bool ascending = true;
    for (auto _ : state) {
        cells.sort(3, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_GridSortNumbers)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    rows();
    std::fprintf(stderr, "record set of %d x %d built; peak so far %.1f MB\n", kRows, kCols, peakMegabytes());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fprintf(stderr, "peak resident memory %.1f MB\n", peakMegabytes());
    return 0;
}
