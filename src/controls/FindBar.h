#pragma once

#include "modDBMS_comn.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QLineEdit;

namespace asv {

// The search row of the lists and pickers: key (`cmbFindKey`), operator (`cmbFindOP`) and text
// (`txtFind`). A host adds its own controls to the row.
class FindBar : public QWidget {
    Q_OBJECT
public:
    FindBar(QWidget* parent, const QList<FindKey>& keys, int defaultKey);

    // Fills an operator list: contains, starts with, ends with, equals; the first is chosen. Each
    // entry starts with the operator MakeFindWhere reads.
    static void FillFindOP(QComboBox* combo);

    QString fields() const { return m_fields; }
    QString text() const;
    void setText(const QString& text);
    QString opText() const;
    // What the find-or-register flow hands over; empty values keep the current choice.
    void setSearchState(const QString& fields, const QString& opText);
    // The typed text as a condition over the chosen fields; "" without text.
    QString condition() const;

    QHBoxLayout* row() const { return m_row; }

signals:
    // Enter in the text field.
    void searchRequested();

private:
    void keyChosen(int index);
    void chooseOperator(const QString& op);

    QList<FindKey> m_keys;
    QComboBox* m_cmbFindKey;
    QComboBox* m_cmbFindOP;
    QLineEdit* m_txtFind;
    QHBoxLayout* m_row;
    QString m_fields;
};

} // namespace asv
