#include "PageSetupMemory.h"

#include "UserSettings.h"

#include <QPageSize>
#include <QSizeF>

using namespace Qt::StringLiterals;

namespace asv {

PageSetupMemory::PageSetupMemory(QString kind) : m_kind(std::move(kind)) {}

QString PageSetupMemory::application()
{
    return UserSettings::appTitle() + u"_PritSetUp"_s;
}

QPageLayout PageSetupMemory::load(const QPageLayout& fallback) const
{
    const QString app = application();
    auto number = [&](const QString& key, double otherwise) {
        bool ok = false;
        const double v = UserSettings::read(app, m_kind, key).toDouble(&ok);
        return ok && v >= 0 ? v : otherwise;
    };
    const QMarginsF m = fallback.margins(QPageLayout::Millimeter);
    const double width = number(u"PaperWidth"_s, 0);
    const double height = number(u"PaperHeight"_s, 0);
    const QPageSize paper = width > 0 && height > 0
                                ? QPageSize(QSizeF(width, height), QPageSize::Millimeter, {}, QPageSize::ExactMatch)
                                : fallback.pageSize();
    const bool landscape = number(u"Orientation"_s, fallback.orientation() == QPageLayout::Landscape ? 1 : 0) == 1;
    return QPageLayout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(number(u"MarginLeft"_s, m.left()), number(u"MarginTop"_s, m.top()),
                                 number(u"MarginRight"_s, m.right()), number(u"MarginBottom"_s, m.bottom())),
                       QPageLayout::Millimeter);
}

void PageSetupMemory::save(const QPageLayout& layout) const
{
    const QString app = application();
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    UserSettings::write(app, m_kind, u"PaperWidth"_s, paper.width());
    UserSettings::write(app, m_kind, u"PaperHeight"_s, paper.height());
    UserSettings::write(app, m_kind, u"Orientation"_s, layout.orientation() == QPageLayout::Landscape ? 1 : 0);
    UserSettings::write(app, m_kind, u"MarginLeft"_s, m.left());
    UserSettings::write(app, m_kind, u"MarginTop"_s, m.top());
    UserSettings::write(app, m_kind, u"MarginRight"_s, m.right());
    UserSettings::write(app, m_kind, u"MarginBottom"_s, m.bottom());
}

} // namespace asv
