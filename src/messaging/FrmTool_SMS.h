#pragma once

#include "CustomerListReceiver.h"
#include "SmsCustomers.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace asv {

class Grid;
class HCTerm;

// The SMS screen: customers found by a condition, ticked and handed to the SMS program.
class FrmTool_SMS : public QWidget, public CustomerListReceiver {
    Q_OBJECT
public:
    enum Column { ColSelect, ColName, ColSearchNumbers, ColMobile, ColMemo };

    explicit FrmTool_SMS(QWidget* parent = nullptr);

    // The customers a calling screen selected, listed ticked.
    void showCustomers(const QStringList& codes) override;
    void query();

private:
    void toggle(int row);
    void tickAll(bool on);
    void updateCount();
    void send(bool isFaxVoice);
    void addRow(const QString& name, const QString& numbers, const QString& mobile, const QString& memo);
    SmsCustomers::Condition condition() const;
    SmsCustomers::Kinds kinds() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Grid* m_list;
    QCheckBox* m_chkAllSel;
    QList<QCheckBox*> m_chkPhoneType;
    QList<QRadioButton*> m_optFilter;
    HCTerm* m_htTerm;
    QSpinBox* m_htLastday;
    QLabel* m_lblCount;
};

} // namespace asv
