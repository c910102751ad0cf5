#pragma once

#include <QPageLayout>
#include <QString>

namespace asv {

// Paper, orientation and margins remembered per printed kind (a list's form, a document kind)
// under the application AppTitle + "_PritSetUp", one section per kind.
class PageSetupMemory {
public:
    explicit PageSetupMemory(QString kind);

    const QString& kind() const { return m_kind; }
    // What was remembered, each value the fallback's where nothing (usable) is stored.
    QPageLayout load(const QPageLayout& fallback) const;
    void save(const QPageLayout& layout) const;

    static QString application();

private:
    QString m_kind;
};

} // namespace asv
