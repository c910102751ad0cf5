#pragma once

#include "RecordSetPtr.h"

#include <QHash>
#include <QList>
#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

namespace asv {

// The read-only fields of the history's detail windows, laid out as a form and named for tests.
// A field either shows one column of the record as it is, or what its window looks up for it.
class HistoryDetailForm {
public:
    struct Field {
        QString name;
        QString caption;
        QString column; // "" when the window fills it
    };

    HistoryDetailForm(QWidget* owner, const QList<Field>& fields);

    QFormLayout* layout() const { return m_layout; }
    // Every field of a column from the record set's current row; all fields empty without a row.
    void showRow(const RecordSet& rs);
    void set(const QString& name, const QString& text);

    // An edit stamp never written ("0000-00-00", "00:00") shows as nothing.
    static QString stamp(const QString& text);

private:
    QFormLayout* m_layout;
    QList<Field> m_fields;
    QHash<QString, QLineEdit*> m_edits;
};

} // namespace asv
