#pragma once

#include "RecordPicker.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace asv {

class FrmLUser_save;
class Grid;

// The user picker: finds users for the code-entry fields and lets the operator choose one.
class FrmLUser_sel : public QDialog, public RecordPicker {
    Q_OBJECT
public:
    explicit FrmLUser_sel(QWidget* parent = nullptr);

    void setSearchState(const QString& fields, const QString& opText) override;
    int FindRecords(const QString& text, const QString& extraCondition) override;
    bool pickModal() override;
    QString Result() const override { return m_result; }

    int Refresh_Sheet();
    void SyncUpdateLUser(int mode, const QString& code);
    FrmLUser_save* openEditor(int mode, const QString& code = {});

    Grid* list() const { return m_spList; }

    // Makes this picker the one of the find-or-register flow for "담당자".
    static void registerPicker();

public slots:
    void done(int result) override;

private:
    void keyChosen();
    void typedSearch();
    void selectRow();
    void editSelected();
    int load(const QString& condition);

    QComboBox* m_cmbFindKey;
    QComboBox* m_cmbFindOP;
    QLineEdit* m_txtFind;
    Grid* m_spList;
    QString m_fields;
    QString m_extraCondition;
    QString m_result;
};

} // namespace asv
