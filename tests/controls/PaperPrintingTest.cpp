#include "BarcodePainter.h"
#include "PageSetupMemory.h"
#include "Paths.h"
#include "QtPrinters.h"
#include "UserSettings.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace asv {
namespace {

struct PageSetupMemoryTest : ::testing::Test {
    QTemporaryDir home;
    PageSetupMemoryTest() { Paths::setProgramFolder(home.path()); }
    static QPageLayout a4()
    {
        return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter};
    }
};

TEST_F(PageSetupMemoryTest, EachKindKeepsItsOwnPaperOrientationAndMargins)
{
    const PageSetupMemory ticket(u"AS접수증"_s);
    const PageSetupMemory statement(u"거래명세표"_s);
    EXPECT_TRUE(ticket.load(a4()).isEquivalentTo(a4()));

    ticket.save(QPageLayout(QPageSize(QSizeF(80, 60), QPageSize::Millimeter), QPageLayout::Landscape,
                            QMarginsF(2, 3, 4, 5), QPageLayout::Millimeter));
    const QPageLayout back = ticket.load(a4());
    EXPECT_EQ(back.pageSize().size(QPageSize::Millimeter), QSizeF(80, 60));
    EXPECT_EQ(back.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(back.margins(QPageLayout::Millimeter), QMarginsF(2, 3, 4, 5));
    EXPECT_TRUE(statement.load(a4()).isEquivalentTo(a4()));

    // A stored A4 comes back as A4, not as a custom size of the same measures.
    statement.save(a4());
    EXPECT_EQ(statement.load({}).pageSize().id(), QPageSize::A4);
}

TEST_F(PageSetupMemoryTest, UnreadableValuesFallBack)
{
    const PageSetupMemory memory(u"라벨_시트"_s);
    memory.save(a4());
    UserSettings::write(PageSetupMemory::application(), u"라벨_시트"_s, u"MarginLeft"_s, u"-3"_s);
    UserSettings::write(PageSetupMemory::application(), u"라벨_시트"_s, u"PaperWidth"_s, u"abc"_s);
    const QPageLayout back = memory.load(
        QPageLayout(QPageSize(QPageSize::B5), QPageLayout::Portrait, QMarginsF(7, 7, 7, 7), QPageLayout::Millimeter));
    EXPECT_EQ(back.pageSize().id(), QPageSize::B5);
    EXPECT_DOUBLE_EQ(back.margins(QPageLayout::Millimeter).left(), 7);
    EXPECT_DOUBLE_EQ(back.margins(QPageLayout::Millimeter).top(), 10);
}

TEST(BarcodePainterTest, RefusesWhatTheSymbologyCannotHold)
{
    const struct {
        const char16_t* text;
        BarcodeKind kind;
        bool valid;
    } cases[] = {
        {u"8801234567893", BarcodeKind::Ean13, true}, {u"8801234567890", BarcodeKind::Ean13, false},
        {u"96385074", BarcodeKind::Ean8, true},       {u"9638507", BarcodeKind::Ean8, false},
        {u"AB-12/x", BarcodeKind::Code128, true},     {u"가나다", BarcodeKind::Code128, false},
        {u"", BarcodeKind::Code128, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        const BarcodePainter barcode(QString::fromUtf16(c.text), c.kind);
        EXPECT_EQ(barcode.isValid(), c.valid) << barcode.error().toStdString();
        EXPECT_EQ(barcode.isValid(), barcode.modules() > 0);
    }
}

TEST(BarcodePainterTest, ModulesAreWholeDotsOnARasterDevice)
{
    const BarcodePainter barcode(u"104857"_s, BarcodeKind::Code128);
    // 300 dpi, painted in millimetres into an area that is no whole number of modules wide.
    QImage image(600, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(300 / 25.4, 300 / 25.4);
    const QRectF covered = barcode.paint(painter, QRectF(1, 1, 47.3, 7));
    painter.end();
    EXPECT_LE(covered.width(), 47.3);

    QList<int> runs;
    const int y = 60;
    QRgb last = image.pixel(0, y);
    int length = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) == last) {
            ++length;
            continue;
        }
        runs.append(length);
        last = image.pixel(x, y);
        length = 1;
    }
    ASSERT_GT(runs.size(), 20);
    runs.removeFirst(); // the white before the symbol's quiet zone
    const int module = *std::min_element(runs.begin(), runs.end());
    EXPECT_GE(module, 2);
    for (int r : runs)
        EXPECT_EQ(r % module, 0) << r << " dots is no whole number of " << module << "-dot modules";
}

} // namespace
} // namespace asv
