// Barcode labels to PDF: 1,000 price labels (a third each EAN-13, EAN-8 and Code 128) on A4
// sheets of 65 and on a 40×25 mm roll, each written to a PDF file; time and file size.

#include "LabelSheet.h"

#include <QGuiApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLabels = 1000;

QList<asv::ProductLabel> labels()
{
    static const QStringList barcodes{u"8801234567893"_s, u"96385074"_s, u"ABC-123"_s};
    QList<asv::ProductLabel> out;
    for (int i = 0; i < kLabels; ++i) {
        // A catalogue rarely prints one product a thousand times: every label its own code.
        const QString code = i % 3 == 0 ? barcodes[0] : i % 3 == 1 ? barcodes[1] : u"SKU-%1"_s.arg(i, 5, 10, QChar(u'0'));
        out.append({u"%1"_s.arg(i, 6, 10, QChar(u'0')), u"프리미엄 세탁세제 %1호"_s.arg(i), u"3L"_s, 12900.0 + i, code});
    }
    return out;
}

void renderToPdf(benchmark::State& state, const QString& layoutName)
{
    asv::LabelSheetLayout layout;
    for (const asv::LabelSheetLayout& l : asv::LabelSheetLayout::builtIn()) {
        if (l.name == layoutName)
            layout = l;
    }
    const QList<asv::ProductLabel> all = labels();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"labels.pdf"_s);
    for (auto _ : state) {
        asv::LabelSheet sheet(layout, all);
        QPdfWriter writer(path);
        writer.setPageLayout(sheet.defaultPageLayout());
        benchmark::DoNotOptimize(sheet.render(writer));
    }
    state.counters["pdf_kB"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    state.counters["labels_per_s"] = benchmark::Counter(static_cast<double>(kLabels) * state.iterations(),
                                                        benchmark::Counter::kIsRate);
}

void BM_LabelsA4Sheet65(benchmark::State& state)
{
    renderToPdf(state, u"A4 65칸 (5×13, 38.1×21.2)"_s);
}
BENCHMARK(BM_LabelsA4Sheet65)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_LabelsRoll40x25(benchmark::State& state)
{
    renderToPdf(state, u"롤 40×25"_s);
}
BENCHMARK(BM_LabelsRoll40x25)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
