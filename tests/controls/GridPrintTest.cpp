#include "FrmGallery.h"
#include "Grid.h"
#include "GridFixtures.h"
#include "GridPrinter.h"
#include "UserSettings.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::TempProgramFolder;

TEST(GridPrinter, PdfCarriesTheKoreanTitleInAnEmbeddedNanumFontAndTheGalleryShows)
{
    TempProgramFolder home;
    FrmGallery gallery;
    Grid& list = *gallery.list();
    GridPrinter printer(list, u"거래처 리스트"_s, u"2024년 3월"_s);
    const QString path = home.path(u"list.pdf"_s);
    ASSERT_TRUE(printer.printToPdf(path));

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("Nanum")) << "Hangul needs the Nanum font embedded";
    EXPECT_TRUE(pdf.contains("FontFile2"));

    // 300 rows take several pages.
    QPrinter counter(QPrinter::HighResolution);
    counter.setOutputFormat(QPrinter::PdfFormat);
    counter.setOutputFileName(home.path(u"count.pdf"_s));
    printer.loadPageSetup(counter);
    const int pages = printer.render(counter);
    EXPECT_GT(pages, 3);

    // A heading band above every row takes a line of its own.
    printer.setRowHeading([](int row) { return u"거래처 %1"_s.arg(row); });
    EXPECT_GE(printer.render(counter), 2 * pages - 1);

    // The gallery window itself, saved for a look.
    gallery.resize(1100, 640);
    gallery.show();
    ASSERT_EQ(gallery.list()->rowCount(), 300);
    EXPECT_EQ(gallery.list()->cells().displayText(0, 9), u"3,300"_s);

    const QImage shot = gallery.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QString file = QCoreApplication::applicationDirPath() + u"/FrmGallery.png"_s;
    EXPECT_TRUE(shot.save(file));
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 7) {
        for (int x = 0; x < shot.width(); x += 7)
            colours.insert(shot.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20) << "the window looks empty";
}

TEST(GridPrinter, PageSetupIsRememberedPerList)
{
    TempProgramFolder home;
    FrmGallery gallery;
    GridPrinter printer(*gallery.list(), u"목록"_s);

    QPrinter first(QPrinter::HighResolution);
    printer.loadPageSetup(first);
    // The gallery's columns are wider than a portrait page: landscape until told otherwise.
    EXPECT_EQ(first.pageLayout().orientation(), QPageLayout::Landscape);
    first.setPageOrientation(QPageLayout::Portrait);
    first.setPageMargins(QMarginsF(15, 12, 15, 20), QPageLayout::Millimeter);
    printer.savePageSetup(first);

    QPrinter second(QPrinter::HighResolution);
    printer.loadPageSetup(second);
    EXPECT_EQ(second.pageLayout().orientation(), QPageLayout::Portrait);
    const QMarginsF m = second.pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(m.left(), 15, 0.1);
    EXPECT_NEAR(m.bottom(), 20, 0.1);
    EXPECT_EQ(UserSettings::read(u"ASVelmora_PritSetUp"_s, u"FrmGallery"_s, u"Orientation"_s), u"0"_s);
}

