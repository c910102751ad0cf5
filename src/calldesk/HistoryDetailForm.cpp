#include "HistoryDetailForm.h"
#include "RecordSet.h"

#include <QFormLayout>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace asv {

HistoryDetailForm::HistoryDetailForm(QWidget* owner, const QList<Field>& fields)
    : m_layout(new QFormLayout), m_fields(fields)
{
    for (const Field& f : fields) {
        auto* edit = new QLineEdit(owner);
        edit->setObjectName(f.name);
        edit->setReadOnly(true);
        m_layout->addRow(f.caption, edit);
        m_edits.insert(f.name, edit);
    }
}

void HistoryDetailForm::showRow(const RecordSet& rs)
{
    for (const Field& f : m_fields)
        m_edits.value(f.name)->setText(rs.eof() || f.column.isEmpty() ? QString() : rs.field(f.column));
}

void HistoryDetailForm::set(const QString& name, const QString& text)
{
    m_edits.value(name)->setText(text);
}

QString HistoryDetailForm::stamp(const QString& text)
{
    return text == u"0000-00-00"_s || text == u"00:00"_s ? QString() : text;
}

} // namespace asv
