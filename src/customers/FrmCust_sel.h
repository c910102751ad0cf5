#pragma once

#include "RecordPicker.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace asv {

class Grid;
class hclimit;

// The customer picker: a compact search list from which another screen takes one customer.
class FrmCust_sel : public QDialog, public RecordPicker {
    Q_OBJECT
public:
    explicit FrmCust_sel(QWidget* parent = nullptr);

    // The window that asked; a CustomerPickReceiver is handed the pick instead of getting it back.
    void SetCalledForm(QWidget* form) { m_calledForm = form; }

    void setSearchState(const QString& fields, const QString& opText) override;
    int FindRecords(const QString& text, const QString& extraCondition) override;
    bool pickModal() override;
    QString Result() const override { return m_result; }

    int Refresh_Sheet();
    void SyncUpdateCust(const QString& code);

    Grid* list() const { return m_spList; }

    // Makes this picker the one of the find-or-register flow for "고객".
    static void registerPicker();

public slots:
    void done(int result) override;

private:
    void keyChosen();
    void orderChosen();
    void viewNameToggled(bool on);
    void typedSearch();
    void selectRow();
    void editSelected();
    void openEditor(int mode, const QString& code = {});
    int load();
    QString pickOf(int row) const;
    int rowOfCode(const QString& code) const;

    QComboBox* m_cmbFindKey;
    QComboBox* m_cmbFindOP;
    QLineEdit* m_txtFind;
    QComboBox* m_cmbOrderBy;
    QCheckBox* m_chkViewCName;
    hclimit* m_hcLimit;
    Grid* m_spList;
    QString m_fields;
    QString m_extraCondition;
    QString m_result;
    QPointer<QWidget> m_calledForm;
    bool m_tamber;
};

} // namespace asv
