#include "BarcodeReader.h"
#include "FrmLabelPrint.h"
#include "FrmProd_admin.h"
#include "Grid.h"
#include "GridDriver.h"
#include "LabelSheet.h"
#include "ProductLabel.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace asv::test {
namespace {

TEST(ProductLabelTest, EanOnlyForNumbersWithTheirCheckDigit)
{
    const struct {
        const char16_t* barcode;
        BarcodeKind kind;
    } cases[] = {
        {u"8801234567893", BarcodeKind::Ean13}, {u"8801234567890", BarcodeKind::Code128},
        {u"96385074", BarcodeKind::Ean8},       {u"96385075", BarcodeKind::Code128},
        {u"880123456789", BarcodeKind::Code128}, {u"88012345678a3", BarcodeKind::Code128},
        {u"ABC-123", BarcodeKind::Code128},      {u"", BarcodeKind::Code128},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.barcode).toStdString());
        EXPECT_EQ(ProductLabel::barcodeKind(QString::fromUtf16(c.barcode)), c.kind);
    }
}

TEST(LabelSheetLayoutTest, BuiltInSheetsFitA4AndStoredLayoutsComeBack)
{
    TestDatabase db;
    for (const LabelSheetLayout& l : LabelSheetLayout::builtIn()) {
        SCOPED_TRACE(l.name.toStdString());
        EXPECT_EQ(l.problem(), QString());
    }
    LabelSheetLayout mine{u"우리 용지"_s, false, 6, 2, 99, 45, 6, 13.5, 0, 0};
    ASSERT_EQ(mine.problem(), QString());
    LabelSheetLayout::save(mine);
    const QList<LabelSheetLayout> all = LabelSheetLayout::all();
    ASSERT_EQ(all.size(), LabelSheetLayout::builtIn().size() + 1);
    EXPECT_EQ(all.last().toText(), mine.toText());
    EXPECT_EQ(all.last().labelRect(5), QRectF(105, 13.5 + 2 * 45, 99, 45));

    mine.rows = 7; // 13.5 + 7 × 45 runs off the page
    EXPECT_EQ(mine.problem(), u"라벨이 A4 용지를 벗어납니다."_s);
    mine.rows = 6;
    mine.name = u"우리/용지"_s;
    EXPECT_FALSE(mine.problem().isEmpty());
    bool ok = true;
    LabelSheetLayout::fromText(u"x"_s, u"0,3,2,bad,45,6,13.5,0,0"_s, &ok);
    EXPECT_FALSE(ok);
}

// Products for every symbology, a barcode no symbology holds, and one without a barcode.
struct LabelPrint : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    LabelPrint()
    {
        DBExecute(u"INSERT INTO product (code, name, norm, bcode, saleprice, unit, taxmode) VALUES "
                  u"('000001', '세탁세제', '3L', '8801234567893', 12900, 'EA', 1), "
                  u"('000002', '필터', 'F-8', '96385074', 500, 'EA', 1), "
                  u"('000003', '호스', '2m', 'ABC-123', 7000, 'EA', 1), "
                  u"('000004', '모터', '', '880123456789', 45000, 'EA', 1), "
                  u"('000005', '벨트', 'B-2', '8801234567890', 3000, 'EA', 1), "
                  u"('000006', '부품', '', 'sku-77/b', 10, 'EA', 1), "
                  u"('000007', '한글바코드', '', '가나다', 10, 'EA', 1), "
                  u"('000008', '무바코드', '', '', 10, 'EA', 1)"_s);
    }
};

TEST_F(LabelPrint, EveryPrintedBarcodeDecodesToItsProduct)
{
    FrmLabelPrint window;
    window.setProducts({u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s, u"000005"_s, u"000006"_s, u"000007"_s,
                        u"000008"_s});
    Grid* list = window.findChild<Grid*>(u"spList"_s);
    list->setText(0, columnOf(list, u"매수"_s), u"3"_s);
    auto* layouts = window.findChild<QComboBox*>(u"cmbLayout"_s);
    layouts->setCurrentIndex(layouts->findText(u"A4 65칸 (5×13, 38.1×21.2)"_s));
    // A partly used sheet: the labels run from the 60th place over to a second page.
    window.findChild<QSpinBox*>(u"spnStart"_s)->setValue(60);

    const std::unique_ptr<LabelSheet> sheet = window.document();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info).join(u'|'),
              u"다음 상품의 라벨은 바코드 없이 인쇄됩니다.\n\n한글바코드 : 『가나다』는 바코드로 인쇄할 수 없는 값입니다."_s);
    const QList<ProductLabel> labels = window.labels();
    ASSERT_EQ(labels.size(), 10);
    EXPECT_EQ(sheet->pageCount(), 2);
    EXPECT_EQ(sheet->placeOf(0), std::make_pair(0, sheet->layout().labelRect(59)));
    EXPECT_EQ(sheet->placeOf(6).first, 1);

    constexpr double kDpi = 300;
    const QList<QImage> pages{sheet->pageImage(0, kDpi), sheet->pageImage(1, kDpi)};
    QList<QImage> crops;
    for (int i = 0; i < labels.size(); ++i) {
        const auto [page, mm] = sheet->placeOf(i);
        const QRectF px(mm.topLeft() * kDpi / 25.4, mm.size() * kDpi / 25.4);
        crops.append(pages[page].copy(px.toAlignedRect()));
    }
    const auto decoded = DecodeBarcodes(crops);
    if (!decoded)
        GTEST_SKIP() << "zbarimg (package zbar-tools) is not installed: the labels were not read back";
    const QHash<QString, QString> type{{u"8801234567893"_s, u"EAN-13"_s}, {u"96385074"_s, u"EAN-8"_s}};
    for (int i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(labels[i].name.toStdString());
        const QString& barcode = labels[i].barcode;
        if (barcode.isEmpty() || barcode == u"가나다"_s)
            EXPECT_EQ(decoded->at(i), QStringList());
        else
            EXPECT_EQ(decoded->at(i), QStringList{type.value(barcode, u"CODE-128"_s) + u':' + barcode});
    }
}

TEST_F(LabelPrint, RollLabelsArePagesOfTheLabelSizeInAPdfWithTheKoreanFace)
{
    FrmLabelPrint window;
    window.setProducts({u"000001"_s, u"000003"_s});
    auto* layouts = window.findChild<QComboBox*>(u"cmbLayout"_s);
    layouts->setCurrentIndex(layouts->findText(u"롤 40×25"_s));
    const std::unique_ptr<LabelSheet> sheet = window.document();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->pageCount(), 2);
    EXPECT_EQ(sheet->paperMm(), QSizeF(40, 25));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"labels.pdf"_s);
    ASSERT_TRUE(window.output(DocumentPrinter::Pdf, path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.contains("NanumGothic"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2);
}

TEST_F(LabelPrint, TheProductListOpensTheLabelsOfItsSelectedRows)
{
    FrmProd_admin products;
    products.Refresh_Sheet();
    Grid* list = products.findChild<Grid*>(u"spList"_s);
    selectCodes(list, {u"000002"_s, u"000003"_s});
    click(products, u"btnLabel"_s);
    FrmLabelPrint* labels = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        labels = labels ? labels : qobject_cast<FrmLabelPrint*>(w);
    ASSERT_TRUE(labels);
    EXPECT_EQ(column(labels->findChild<Grid*>(u"spList"_s), u"바코드"_s), (QStringList{u"96385074"_s, u"ABC-123"_s}));
    labels->close();

    list->clearSelection();
    click(products, u"btnLabel"_s);
    EXPECT_EQ(prompter.texts().last(), u"먼저 그리드에서 라벨을 인쇄할 상품을 선택하세요."_s);
}

} // namespace
} // namespace asv::test
