#include "AsTicket.h"

#include "BarcodePainter.h"
#include "OfficeStore.h"
#include "PaperText.h"
#include "StoreSql.h"
#include "RecordSet.h"

#include <QPageSize>
#include <QPainter>
#include <QPen>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// A label roll or a receipt printer's width; the operator can change it in the page set-up.
constexpr double kPaperWidth = 80;
constexpr double kPaperHeight = 60;
constexpr double kMargin = 3;

QString joinedFilled(const QStringList& parts, const QString& separator)
{
    QStringList filled;
    for (const QString& p : parts) {
        if (!p.isEmpty())
            filled.append(p);
    }
    return filled.join(separator);
}

} // namespace

AsTicket::AsTicket(Job job) : m_job(std::move(job))
{
    setPageLayout(defaultPageLayout());
}

QPageLayout AsTicket::defaultPageLayout()
{
    return QPageLayout(QPageSize(QSizeF(kPaperWidth, kPaperHeight), QPageSize::Millimeter, {}, QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter);
}

std::optional<AsTicket::Job> AsTicket::load(int code)
{
    // Outer joins: a ticket is printed even when the job's product or code was deleted since.
    const RecordSetPtr rs = StoreSql(nullptr, u"AsTicket"_s).read(
        u"SELECT a.code, a.dealdate, a.dealtime, a.dealbigo, a.pserial, c.compname, c.telno1, c.hpno, p.name AS pname, "
        u"p.norm AS pnorm, a0.name AS codename FROM aslist_m AS a LEFT JOIN customer AS c ON a.ccode = c.code "
        u"LEFT JOIN product AS p ON a.pcode = p.code LEFT JOIN ascode AS a0 ON a.typecode0 = a0.code AND a0.part = 0 "
        u"WHERE a.code = "_s
            + QString::number(code), u"load"_s);
    if (rs->rowCount() == 0)
        return std::nullopt;
    auto v = [&](const QString& col) { return rs->value(0, col).trimmed(); };
    const QString norm = v(u"pnorm"_s);
    const OfficeStore::Record office = OfficeStore().load();
    return Job{code,
               v(u"compname"_s),
               joinedFilled({v(u"telno1"_s), v(u"hpno"_s)}, u" / "_s),
               v(u"pname"_s) + (norm.isEmpty() ? QString() : u'(' + norm + u')'),
               v(u"pserial"_s),
               joinedFilled({v(u"codename"_s), v(u"dealbigo"_s)}, u" - "_s),
               v(u"dealdate"_s) + u' ' + v(u"dealtime"_s),
               office.value(u"compname"_s),
               office.value(u"telno1"_s)};
}

void AsTicket::paintPage(QPainter& painter, int) const
{
    const QRectF area = printableMm();
    const double w = area.width();
    const double line = std::clamp(area.height() / 14, 2.2, 3.5);
    double y = area.top();
    PaperText::draw(painter, QRectF(area.left(), y, w, line * 1.6), line * 1.3, u"A/S 접수증"_s,
                    Qt::AlignLeft | Qt::AlignVCenter, true);
    PaperText::draw(painter, QRectF(area.left(), y, w, line * 1.6), line * 1.3, u"No. "_s + QString::number(m_job.code),
                    Qt::AlignRight | Qt::AlignVCenter, true);
    y += line * 1.8;

    const BarcodePainter barcode(barcodeText(m_job.code), BarcodeKind::Code128);
    const double barHeight = std::max(6.0, area.height() * 0.22);
    barcode.paint(painter, QRectF(area.left(), y, w, barHeight));
    y += barHeight + 0.8;

    const double label = line * 4.2;
    const QList<std::pair<QString, QString>> rows{{u"고  객"_s, m_job.customer},   {u"전  화"_s, m_job.tel},
                                                  {u"상  품"_s, m_job.product},    {u"일련번호"_s, m_job.serial},
                                                  {u"증  상"_s, m_job.symptom},    {u"접수일시"_s, m_job.received}};
    for (const auto& [caption, value] : rows) {
        if (y + line * 1.3 > area.bottom() - line * 1.4)
            break;
        PaperText::draw(painter, QRectF(area.left(), y, label, line * 1.3), line, caption, Qt::AlignLeft | Qt::AlignVCenter,
                        true);
        PaperText::draw(painter, QRectF(area.left() + label, y, w - label, line * 1.3), line, value);
        y += line * 1.3;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, 0.15));
    const double footTop = area.bottom() - line * 1.3;
    painter.drawLine(QPointF(area.left(), footTop), QPointF(area.right(), footTop));
    painter.restore();
    PaperText::draw(painter, QRectF(area.left(), footTop, w, line * 1.3), line * 0.9,
                    m_job.company + (m_job.companyTel.isEmpty() ? QString() : u"  ☎ "_s + m_job.companyTel),
                    Qt::AlignHCenter | Qt::AlignVCenter);
}

} // namespace asv
