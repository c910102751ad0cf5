// Fills databases with the sample data generator and prints how long each size takes.
//   bench_generate [--seed N] [--keep DATABASE] [SIZE ...]
// SIZE is demo, small, large or customers,products,saleLines,payments,asJobs,calls; the default
// is demo small large. Without --keep each database is dropped after it was timed; with it one
// size is written into DATABASE (created when missing) and kept for later runs.
#include "BenchDatabase.h"
#include "ConsolePrompter.h"
#include "SampleDataGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

std::optional<SampleDataGenerator::Size> parseSize(const QString& text)
{
    if (auto named = SampleDataGenerator::Size::named(text))
        return named;
    const QStringList parts = text.split(u',');
    if (parts.size() != 6)
        return std::nullopt;
    std::array<int, 6> n{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        n[static_cast<size_t>(i)] = parts[i].toInt(&ok);
        if (!ok || n[static_cast<size_t>(i)] < 0)
            return std::nullopt;
    }
    return SampleDataGenerator::Size{n[0], n[1], n[2], n[3], n[4], n[5]};
}

bool fill(const QString& label, const SampleDataGenerator::Size& size, quint64 seed, const QString& keep)
{
    std::printf("%s: %d customers, %d products, %d sale lines, %d payments, %d AS jobs, %d calls\n",
                qPrintable(label), size.customers, size.products, size.saleLines, size.payments, size.asJobs,
                size.calls);
    BenchDatabase db(keep);
    SampleDataGenerator generator(seed);
    QElapsedTimer timer;
    timer.start();
    const bool ok = generator.generate(size);
    const qint64 total = timer.elapsed();
    for (const SampleDataGenerator::Phase& p : generator.phases())
        std::printf("  %-48s %9lld rows %8.2f s\n", qPrintable(p.what), static_cast<long long>(p.rows),
                    static_cast<double>(p.milliseconds) / 1000.0);
    std::printf("  %-48s %24.2f s%s\n", "total", static_cast<double>(total) / 1000.0, ok ? "" : "  FAILED");
    if (ok && !keep.isEmpty())
        std::printf("  kept in database %s\n", qPrintable(db.name()));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ConsolePrompter prompter(MsgAnswer::No);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"seed"_s, u"Seed of the generator."_s, u"N"_s,
                      QString::number(SampleDataGenerator::kDefaultSeed)});
    parser.addOption({u"keep"_s, u"Write one size into DATABASE and keep it."_s, u"DATABASE"_s});
    parser.addPositionalArgument(u"size"_s, u"demo, small, large or six comma-separated counts."_s);
    parser.process(app);

    QStringList sizes = parser.positionalArguments();
    if (sizes.isEmpty())
        sizes = {u"demo"_s, u"small"_s, u"large"_s};
    const QString keep = parser.value(u"keep"_s);
    if (!keep.isEmpty() && sizes.size() != 1) {
        std::fprintf(stderr, "--keep takes exactly one size\n");
        return 2;
    }
    bool ok = true;
    for (const QString& text : sizes) {
        const auto size = parseSize(text);
        if (!size) {
            std::fprintf(stderr, "unknown size: %s\n", qPrintable(text));
            return 2;
        }
        ok = fill(text, *size, parser.value(u"seed"_s).toULongLong(), keep) && ok;
    }
    return ok ? 0 : 1;
}
