#pragma once

#include "AsLineEdit.h"
#include "RecordEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace asv {

class HCText;
class hcDate;
class ucFindBox;

// One result line of an AS job, new or edited. The job is set first; saving the job's first line
// completes the job, and every save moves the customer's balance by the change of the line's
// charge.
class FrmAS_save2 : public RecordEditor {
    Q_OBJECT
public:
    explicit FrmAS_save2(QWidget* parent = nullptr);

    // Before SetFormMode, whose text is then the line number to edit.
    void setJob(int job);
    int job() const;
    int seq() const;

private:
    void clearFields() override;
    void loadRecord(const QString& seq) override;
    void startNew(const QString&) override {}
    void startNextEntry() override;
    void modeChanged() override;
    bool checkBeforeSave() override;
    int writeRecord() override;
    Pick savedRecord() const override;

    void fillCodes();
    void startWithJobProduct();
    void productChosen();
    void openCodeScreen(int i);
    AsLineEdit::Typed typed() const;

    QLabel* m_lblCode;
    QLabel* m_lblSeq;
    ucFindBox* m_fbProd;
    QComboBox* m_codes[2];
    HCText* m_memo;
    HCText* m_amount;
    QCheckBox* m_chkFree;
    QLabel* m_sendLabel;
    hcDate* m_sendDate;
    // Lines the job had when the dialog was set up, counting those added since.
    int m_lineCount = 0;
};

} // namespace asv
