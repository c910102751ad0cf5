#pragma once

#include "FixedMoney.h"
#include "PeriodListWindow.h"
#include "ReceivablesStore.h"

#include <QHash>
#include <memory>

class QCheckBox;
class QComboBox;

namespace asv {

class ReportDatabase;
class ucFindBox;

// The receivables status: per customer the carried balance, the sales, AS charges and payments of
// the period and the balance at its end, optionally with the carried balance told by month.
class FrmRPT_baln : public PeriodListWindow {
    Q_OBJECT
public:
    static constexpr int kMonthColumns = 13; // a split of 12 from the middle of a month touches 13
    enum Col {
        ColCode, ColAlias, ColTel, ColSalesperson, ColCarried, ColMonthFirst,
        ColSales = ColMonthFirst + kMonthColumns, ColAs, ColRecv, ColBalance, ColCeo, ColAddr1, ColAddr2, ColMemo,
        ColCount
    };

    explicit FrmRPT_baln(QWidget* parent = nullptr);
    ~FrmRPT_baln() override;

    void query() override;
    void CreateReport();
    // Hands the selected customers' mobile numbers to the SMS program.
    void sendSms();
    // The daily sales report of the row's customer for the period.
    void openDailySales(int row);

protected:
    QString printSubtitle() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    ReceivablesStore::Filter filter() const;
    void showMonthColumns(const QStringList& months);
    void applySetupColumns();
    void addTotals();

    ucFindBox* m_fbCust;
    ucFindBox* m_fbUser;
    QCheckBox* m_chkZeroView;
    QList<QCheckBox*> m_chkSetup;
    QComboBox* m_cmbMonth;
    QComboBox* m_cmbOrderBy;
    std::unique_ptr<ReportDatabase> m_db;
    QHash<QString, QList<FixedMoney>> m_split;
};

} // namespace asv
