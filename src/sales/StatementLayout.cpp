#include "StatementLayout.h"

#include "PaperText.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"

#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr double kMargin = 10;
constexpr double kCutGap = 8;    // between the two copies of a sheet
constexpr double kTitleH = 10;
constexpr double kPartyRowH = 5.2;
constexpr int kPartyRows = 5;
constexpr double kSummaryH = 7;
constexpr double kRowH = 5.5;
constexpr double kFootH = 2 * kRowH;
constexpr double kText = 2.8;
constexpr double kSmall = 2.4;

struct Column {
    const char16_t* caption;
    double share;
    Qt::Alignment align;
};
// Width shares of the line table.
constexpr std::array<Column, 8> kColumns{{{u"월일", 0.08, Qt::AlignHCenter},
                                          {u"품목", 0.24, Qt::AlignLeft},
                                          {u"규격", 0.13, Qt::AlignLeft},
                                          {u"수량", 0.08, Qt::AlignRight},
                                          {u"단가", 0.11, Qt::AlignRight},
                                          {u"공급가액", 0.13, Qt::AlignRight},
                                          {u"세액", 0.11, Qt::AlignRight},
                                          {u"합계", 0.12, Qt::AlignRight}}};

void cell(QPainter& p, const QRectF& r, const QString& text, Qt::Alignment align = Qt::AlignHCenter,
          double size = kText, bool bold = false)
{
    p.drawRect(r);
    PaperText::draw(p, r.adjusted(0.8, 0, -0.8, 0), size, text, static_cast<int>(align | Qt::AlignVCenter), bold);
}

QString monthDay(const QString& date)
{
    return date.size() == 10 ? date.mid(5, 2) + u'/' + date.right(2) : date;
}

} // namespace

StatementLayout::StatementLayout(Statement statement, bool copyPerPage)
    : m_statement(std::move(statement)), m_copyPerPage(copyPerPage)
{
    setPageLayout(defaultPageLayout());
}

QPageLayout StatementLayout::defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(kMargin, kMargin, kMargin, kMargin),
                       QPageLayout::Millimeter);
}

QString StatementLayout::qtyText(double v)
{
    return FormatNumber(v, GetDecFormat(SharedOptions::current().qtyDecimals, true, true));
}

QString StatementLayout::priceText(double v)
{
    return FormatNumber(v, GetDecFormat(SharedOptions::current().priceDecimals, true, true));
}

QString StatementLayout::amountText(double v)
{
    return FormatNumber(v, GetDecFormat(SharedOptions::current().amountDecimals, true, true));
}

double StatementLayout::copyHeight() const
{
    const double h = printableMm().height();
    return m_copyPerPage ? h : (h - kCutGap) / 2;
}

int StatementLayout::linesPerCopy() const
{
    const double fixed = kTitleH + kPartyRows * kPartyRowH + 2 + kSummaryH + kRowH + kFootH;
    return std::max(1, static_cast<int>((copyHeight() - fixed) / kRowH));
}

int StatementLayout::chunks() const
{
    const int per = linesPerCopy();
    return std::max(1, static_cast<int>((m_statement.lines.size() + per - 1) / per));
}

int StatementLayout::pageCount() const
{
    return m_copyPerPage ? 2 * chunks() : chunks();
}

void StatementLayout::paintPage(QPainter& painter, int page) const
{
    const QRectF area = printableMm();
    painter.save();
    painter.setPen(QPen(Qt::black, 0.2));
    if (m_copyPerPage) {
        // Every sheet of the recipient's copy first, then the supplier's.
        const int n = chunks();
        paintCopy(painter, area, page >= n, page % n);
    } else {
        const double h = copyHeight();
        paintCopy(painter, QRectF(area.left(), area.top(), area.width(), h), false, page);
        const double cut = area.top() + h + kCutGap / 2;
        painter.save();
        painter.setPen(QPen(Qt::gray, 0.2, Qt::DashLine));
        painter.drawLine(QPointF(area.left(), cut), QPointF(area.right(), cut));
        painter.restore();
        paintCopy(painter, QRectF(area.left(), area.top() + h + kCutGap, area.width(), h), true, page);
    }
    painter.restore();
}

double StatementLayout::paintParties(QPainter& p, const QRectF& area) const
{
    const double half = area.width() / 2;
    const double label = 16;
    const double side = 6;
    auto party = [&](double x, const QString& caption, const StatementParty& who) {
        const QRectF block(x, area.top(), half, kPartyRows * kPartyRowH);
        p.drawRect(block);
        cell(p, QRectF(x, area.top(), side, block.height()), QString(), Qt::AlignHCenter);
        // The side caption, one syllable a line.
        const double step = block.height() / caption.size();
        for (int i = 0; i < caption.size(); ++i)
            PaperText::draw(p, QRectF(x, area.top() + i * step, side, step), kSmall, caption.mid(i, 1),
                            Qt::AlignCenter, true);
        const double lx = x + side;
        const double vx = lx + label;
        const double vw = half - side - label;
        const QList<std::pair<QString, QString>> rows{
            {u"등록번호"_s, who.regNo},
            {u"상   호"_s, who.name + (who.ceo.isEmpty() ? QString() : u"  (대표 "_s + who.ceo + u')')},
            {u"주   소"_s, who.address},
            {u"업태/종목"_s, who.business + (who.item.isEmpty() ? QString() : u" / "_s + who.item)},
            {u"전   화"_s, who.tel}};
        for (int i = 0; i < rows.size(); ++i) {
            const double y = area.top() + i * kPartyRowH;
            cell(p, QRectF(lx, y, label, kPartyRowH), rows[i].first, Qt::AlignHCenter, kSmall);
            cell(p, QRectF(vx, y, vw, kPartyRowH), rows[i].second, Qt::AlignLeft, i == 1 ? kText : kSmall, i == 1);
        }
    };
    party(area.left(), u"공급받는자"_s, m_statement.recipient);
    party(area.left() + half, u"공급자"_s, m_statement.supplier);
    return kPartyRows * kPartyRowH;
}

void StatementLayout::paintCopy(QPainter& p, const QRectF& area, bool supplierCopy, int chunk) const
{
    const Statement& s = m_statement;
    double y = area.top();
    PaperText::draw(p, QRectF(area.left(), y, area.width(), kTitleH), 6, u"거 래 명 세 표"_s, Qt::AlignCenter, true);
    PaperText::draw(p, QRectF(area.left(), y, area.width(), kTitleH), kSmall,
                    supplierCopy ? u"(공급자 보관용)"_s : u"(공급받는자 보관용)"_s, Qt::AlignRight | Qt::AlignBottom);
    const QString period = s.from == s.to ? s.from : s.from + u" ~ "_s + s.to;
    PaperText::draw(p, QRectF(area.left(), y, area.width(), kTitleH), kSmall, u"거래일자: "_s + period,
                    Qt::AlignLeft | Qt::AlignBottom);
    y += kTitleH;
    y += paintParties(p, QRectF(area.left(), y, area.width(), area.height())) + 2;

    const bool last = chunk == chunks() - 1;
    cell(p, QRectF(area.left(), y, area.width(), kSummaryH),
         u"합계금액:  "_s + amountText(s.total()) + u" 원  (공급가액 "_s + amountText(s.amount()) + u" + 세액 "_s
             + amountText(s.tax()) + u')',
         Qt::AlignLeft, 3.2, true);
    y += kSummaryH;

    QList<double> widths;
    for (const Column& c : kColumns)
        widths.append(area.width() * c.share);
    double x = area.left();
    for (int i = 0; i < static_cast<int>(kColumns.size()); ++i) {
        p.fillRect(QRectF(x, y, widths[i], kRowH), QColor(0xEE, 0xEE, 0xEE));
        cell(p, QRectF(x, y, widths[i], kRowH), QString::fromUtf16(kColumns[i].caption), Qt::AlignHCenter, kText, true);
        x += widths[i];
    }
    y += kRowH;

    const int per = linesPerCopy();
    for (int k = 0; k < per; ++k) {
        const int index = chunk * per + k;
        QStringList texts(kColumns.size());
        if (index < s.lines.size()) {
            const StatementLine& l = s.lines[index];
            texts = {monthDay(l.date), l.product,          l.norm,        qtyText(l.qty),
                     priceText(l.price), amountText(l.amount), amountText(l.tax), amountText(l.amount + l.tax)};
        }
        x = area.left();
        for (int i = 0; i < static_cast<int>(kColumns.size()); ++i) {
            cell(p, QRectF(x, y, widths[i], kRowH), texts[i], kColumns[i].align);
            x += widths[i];
        }
        y += kRowH;
    }

    const double quarter = area.width() / 4;
    const QList<std::pair<QString, QString>> foot =
        last ? QList<std::pair<QString, QString>>{{u"전잔액"_s, amountText(s.previousBalance)},
                                                  {u"합계"_s, amountText(s.total())},
                                                  {u"입금액"_s, amountText(s.received)},
                                                  {u"잔액"_s, amountText(s.balanceAfter())}}
             : QList<std::pair<QString, QString>>{
                 {u"다음 장에 계속"_s, u"%1 / %2"_s.arg(chunk + 1).arg(chunks())}};
    for (int i = 0; i < foot.size(); ++i) {
        const QRectF top(area.left() + i * quarter, y, last ? quarter : area.width(), kRowH);
        p.fillRect(top, QColor(0xEE, 0xEE, 0xEE));
        cell(p, top, foot[i].first, Qt::AlignHCenter, kText, true);
        cell(p, top.translated(0, kRowH), foot[i].second, last ? Qt::AlignRight : Qt::AlignHCenter, 3.2, true);
    }
}

} // namespace asv
