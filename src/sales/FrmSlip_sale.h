#pragma once

#include "CustomerPickReceiver.h"
#include "SaleLineEdit.h"

#include <QDate>
#include <QHash>
#include <QWidget>

class QLabel;
class QPushButton;

namespace asv {

class Grid;
class ucFindBox;

// The sales slip: one customer's sale lines of one month, every cell written to the database as
// soon as it changes, the customer's balance moved with it.
class FrmSlip_sale : public QWidget, public CustomerPickReceiver {
    Q_OBJECT
public:
    enum Col {
        ColV,
        ColMark,
        ColDay,
        ColTime,
        ColPCode,
        ColBarcode,
        ColPName,
        ColNorm,
        ColQty,
        ColUnit,
        ColPrice,
        ColAmount,
        ColTax,
        ColTotal,
        ColReceiptMemo,
        ColCharge,
        ColChargeName,
        ColReceiver,
        ColSerial,
        ColMemo,
        ColCode,
        ColTaxNo,
        ColDealListNo,
        ColCount
    };
    enum SaveMode { Insert = 1, Update = 2 };

    explicit FrmSlip_sale(QWidget* parent = nullptr);
    // The frame in the main window takes this size, not the one set in the constructor.
    QSize sizeHint() const override { return {1100, 620}; }

    // month "yyyy-MM"; an empty one is this month.
    void InitForm(const QString& ccode, const QString& month = {});
    void ShowPickedCustomer(const QString& code) override;

    bool RecSave(int row, int col, const QString& oldText, const QString& newText, int mode);
    bool RecDelete(int row);

    Grid* list() const { return m_list; }
    QString customer() const { return m_ccode; }
    QString month() const { return m_month.toString(u"yyyy-MM"); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildList();
    void loadCustomer(const QString& ccode);
    void DispCustInfo();
    void loadList();
    void loadSums();
    void moveMonth(int months);
    void pickMonth();

    bool mayEditCell(int row, int col);
    void cellEdited(int row, int col, const QString& oldText, const QString& newText);
    bool chooseProduct(int row, int col, const QString& typed);
    bool confirmQuantity(const QString& typed);
    bool insertLine(int row);
    bool updateLine(int row, int col, const QString& oldText, const QString& newText);
    // Tells the operator and shows what is stored; false.
    bool saveFailed();
    void setPricedCells(int row, double amount, double tax);
    SaleLineEdit::Cells cellsOf(int row) const;
    SaleLineEdit::Catalogue catalogue() const;
    QString dateOfDay(const QString& day) const;
    void addEmptyRowIfNeeded();
    void showCurrentTaxInvoice();

    void deleteSelected();
    void toggleBlockMode(bool on);
    void changeMainSalesperson(const QString& code, const QString& name);
    void openForCustomer(const QString& screen, bool refreshSumsAfter);
    void exportList();
    void printList();
    void showTip();

    ucFindBox* m_fbCust;
    ucFindBox* m_fbUser;
    QPushButton* m_btnDate;
    QPushButton* m_btnBlockMode;
    Grid* m_list;
    Grid* m_sums;
    QLabel* m_info;
    QString m_ccode;
    QString m_charge;
    QDate m_month;
    QHash<QString, QString> m_userNames;
    double m_quantityLimit = 0;
    bool m_loading = false;
    bool m_tipShown = false;
};

} // namespace asv
