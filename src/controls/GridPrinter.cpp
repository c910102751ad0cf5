#include "GridPrinter.h"

#include "Clock.h"
#include "Grid.h"
#include "PageSetupMemory.h"
#include "Paths.h"
#include "Prompter.h"
#include "modFormIni.h"

#include <QAction>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Layout is done in screen pixels (96 per inch) so the printout keeps the grid's proportions.
constexpr double kScreenDpi = 96.0;
constexpr double kDefaultMarginMm = 10.0;
constexpr double kPadding = 4.0;

QFont pixelFont(const QFont& base, double points, bool bold)
{
    QFont f = base;
    f.setPixelSize(static_cast<int>(std::lround(points * kScreenDpi / 72.0)));
    f.setBold(bold);
    return f;
}

GridPrinter::Mailer& installedMailer()
{
    static GridPrinter::Mailer mailer;
    return mailer;
}

} // namespace

GridPrinter::GridPrinter(const Grid& grid, const QString& title, const QString& subtitle)
    : m_grid(grid), m_title(title), m_subtitle(subtitle), m_setupName(FormName(FormOf(&grid)))
{
}

QString GridPrinter::setupApplication()
{
    return PageSetupMemory::application();
}

void GridPrinter::loadPageSetup(QPrinter& printer) const
{
    // Without a remembered choice a list wider than a portrait page is printed across.
    double tableWidth = 0;
    for (int c : m_grid.printedColumns())
        tableWidth += m_grid.columnWidth(c);
    const double portraitWidth = (210.0 - 2 * kDefaultMarginMm) / 25.4 * kScreenDpi;
    const QPageLayout fallback(QPageSize(QPageSize::A4),
                               tableWidth > portraitWidth ? QPageLayout::Landscape : QPageLayout::Portrait,
                               QMarginsF(kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm),
                               QPageLayout::Millimeter);
    printer.setPageLayout(PageSetupMemory(m_setupName).load(fallback));
}

void GridPrinter::savePageSetup(const QPrinter& printer) const
{
    PageSetupMemory(m_setupName).save(printer.pageLayout());
}

int GridPrinter::render(QPrinter& printer) const
{
    const GridModel& cells = m_grid.cells();
    const QList<int> columns = m_grid.printedColumns();
    // A printed line is a row, or the heading band above it (-1 - row).
    QList<int> rows;
    for (int r = 0; r < m_grid.rowCount(); ++r) {
        if (cells.isRowBlank(r))
            continue;
        if (m_rowHeading && !m_rowHeading(r).isEmpty())
            rows.append(-1 - r);
        rows.append(r);
    }
    QList<double> widths;
    double tableWidth = 0;
    for (int c : columns) {
        widths.append(m_grid.columnWidth(c));
        tableWidth += widths.last();
    }

    QPainter p;
    if (!p.begin(&printer))
        return 0;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const double devicePerPixel = printer.resolution() / kScreenDpi;
    const double fit = tableWidth > 0 ? std::min(1.0, area.width() / devicePerPixel / tableWidth) : 1.0;
    const double scale = devicePerPixel * fit;
    p.scale(scale, scale);
    const double pageW = area.width() / scale;
    const double pageH = area.height() / scale;

    const int basePoints = m_grid.fontSize() > 0 ? m_grid.fontSize() : 9;
    const QFont body = pixelFont(m_grid.font(), basePoints, false);
    const QFont header = pixelFont(m_grid.font(), basePoints, true);
    const QFont title = pixelFont(m_grid.font(), 18, true);
    const QFont subtitle = pixelFont(m_grid.font(), 11, false);
    const QFont foot = pixelFont(m_grid.font(), 8, false);

    const double rowH = std::max<double>(m_grid.defaultRowHeight(), QFontMetricsF(body).height() + 6);
    const double titleH = m_title.isEmpty() ? 0 : QFontMetricsF(title).height() + 10;
    const double subtitleH = m_subtitle.isEmpty() ? 0 : QFontMetricsF(subtitle).height() + 6;
    const double topBlock = titleH + subtitleH + (titleH + subtitleH > 0 ? 8 : 0);
    const double footH = QFontMetricsF(foot).height() + 8;
    const int firstRows = std::max(1, static_cast<int>((pageH - topBlock - rowH - footH) / rowH));
    const int otherRows = std::max(1, static_cast<int>((pageH - rowH - footH) / rowH));
    const int rest = std::max<int>(0, static_cast<int>(rows.size()) - firstRows);
    const int pages = 1 + (rest + otherRows - 1) / otherRows;
    const QString printedAt = Clock::now().toString(u"yyyy-MM-dd HH:mm"_s);
    const QColor line(0x90, 0x90, 0x90);

    auto drawCellText = [&](const QRectF& cell, const QString& text, Qt::Alignment align) {
        const QRectF inner = cell.adjusted(kPadding, 0, -kPadding, 0);
        p.drawText(inner, static_cast<int>(align | Qt::AlignVCenter),
                   p.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(inner.width())));
    };

    int next = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        double y = 0;
        if (page == 1 && topBlock > 0) {
            p.setFont(title);
            p.drawText(QRectF(0, 0, pageW, titleH), Qt::AlignHCenter | Qt::AlignVCenter, m_title);
            p.setFont(subtitle);
            p.drawText(QRectF(0, titleH, pageW, subtitleH), Qt::AlignHCenter | Qt::AlignVCenter, m_subtitle);
            y = topBlock;
        }

        p.setFont(header);
        p.setPen(line);
        double x = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const QRectF cell(x, y, widths[i], rowH);
            p.fillRect(cell, QColor(0xE8, 0xE8, 0xE8));
            p.drawRect(cell);
            p.setPen(Qt::black);
            drawCellText(cell, cells.caption(columns[i]), Qt::AlignHCenter);
            p.setPen(line);
            x += widths[i];
        }
        y += rowH;

        p.setFont(body);
        const int count = page == 1 ? firstRows : otherRows;
        for (int k = 0; k < count && next < rows.size(); ++k, ++next) {
            const int r = rows[next];
            if (r < 0) {
                const QRectF band(0, y, tableWidth, rowH);
                p.setPen(line);
                p.fillRect(band, QColor(0xF4, 0xF4, 0xF4));
                p.drawRect(band);
                p.setPen(Qt::black);
                p.setFont(header);
                drawCellText(band, m_rowHeading(-1 - r), Qt::AlignLeft);
                p.setFont(body);
                y += rowH;
                continue;
            }
            x = 0;
            for (int i = 0; i < columns.size(); ++i) {
                const int c = columns[i];
                const QRectF cell(x, y, widths[i], rowH);
                p.setPen(line);
                p.drawRect(cell);
                const QColor fg = cells.foreground(r, c);
                p.setPen(fg.isValid() ? fg : QColor(Qt::black));
                const bool check = cells.kind(c) == GridModel::CellKind::Check;
                const QString text = check ? (cells.text(r, c) == u"1"_s ? u"V"_s : QString()) : cells.displayText(r, c);
                drawCellText(cell, text, cells.alignment(c) & Qt::AlignHorizontal_Mask);
                x += widths[i];
            }
            y += rowH;
        }

        p.setFont(foot);
        p.setPen(Qt::black);
        const QRectF footer(0, pageH - footH, pageW, footH);
        p.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom, u"- %1 / %2 -"_s.arg(page).arg(pages));
        p.drawText(footer, Qt::AlignRight | Qt::AlignBottom, printedAt);
    }
    p.end();
    return pages;
}

bool GridPrinter::printToPdf(const QString& path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(m_title);
    loadPageSetup(printer);
    return render(printer) > 0;
}

void GridPrinter::preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_title);
    loadPageSetup(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(m_title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* target) { render(*target); });
    if (QToolBar* tools = dialog.findChild<QToolBar*>(); tools && canMail()) {
        tools->addSeparator();
        QAction* mailAction = tools->addAction(u"메일 보내기"_s);
        mailAction->setObjectName(u"actMail"_s);
        QObject::connect(mailAction, &QAction::triggered, &dialog, [this, &dialog] {
            if (const std::optional<MailDraft> draft = mailDraft())
                installedMailer()(&dialog, *draft);
        });
    }
    dialog.exec();
    savePageSetup(printer);
}

void GridPrinter::setMailRecipient(const QString& name, const QString& address)
{
    m_mailName = name;
    m_mailAddress = address;
}

void GridPrinter::setMailer(Mailer mailer)
{
    installedMailer() = std::move(mailer);
}

bool GridPrinter::canMail()
{
    return static_cast<bool>(installedMailer());
}

std::optional<MailDraft> GridPrinter::mailDraft() const
{
    const QString folder = Paths::file(u"Mail"_s);
    // The title names the attachment the customer sees; characters a file name cannot hold go.
    QString name = m_title.trimmed();
    name.replace(QRegularExpression(u"[\\/:*?\"<>|\\s]+"_s), u"_"_s);
    if (name.isEmpty())
        name = u"출력물"_s;
    const QString path = QDir(folder).filePath(name + Clock::now().toString(u"_yyMMdd_HHmmss"_s) + u".pdf"_s);
    if (!QDir().mkpath(folder) || !printToPdf(path)) {
        Prompter::current().warn(u"메일에 첨부할 파일을 만들지 못했습니다."_s + u"\r\n"_s + path, {});
        return std::nullopt;
    }
    return MailDraft{m_mailName, m_mailAddress, m_title, {path}};
}

bool GridPrinter::print(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_title);
    loadPageSetup(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    savePageSetup(printer);
    return render(printer) > 0;
}

} // namespace asv
