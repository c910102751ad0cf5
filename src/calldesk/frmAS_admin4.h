#pragma once

#include "CallIntake.h"
#include "CallerIdReceiver.h"
#include "ConsultStore.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace asv {

class Grid;
class ucFindBox;

// The consult desk: today's received calls on the left, the caller's record and the consultation
// being written beside them. Only the consultant who took a call writes its consultation.
class frmAS_admin4 : public QWidget, public CallerIdReceiver {
    Q_OBJECT
public:
    // Columns of the received-call list.
    enum Column { ColTime, ColName, ColNumber, ColConsultant, ColCustomer, ColCall, ColConsultantCode };

    explicit frmAS_admin4(QWidget* parent = nullptr);

    void InputCID(const QString& number, bool isLocal, CallArrival arrived) override;
    // A call another desk assigned to this desk's user.
    void InputCIDForMe(const QString& number, CallArrival arrived);
    void ShowTakenElsewhere(const QString& callCode, const QString& number, const QString& time,
                            const QString& userCode);
    void Show_ConsultListReset(const QString& callCode);
    // Reads the shown customer again, after a document made from the desk or its histories.
    void refreshCaller();
    void setCategory(const QString& code, const QString& name);
    QWidget* historyArea() const { return m_historyArea; }
    QWidget* presenceArea() const { return m_presenceArea; }

    // Reads today's calls again; the selected call stays selected.
    void loadCalls();
    // As a click on the row (in the consultant column it also takes the call).
    void selectCall(int row, int column);
    // The consultant column's assignment: take, change or release the call.
    void takeCall(int row);
    // The customer shown in the panel, "" for none.
    const QString& shownCustomer() const { return m_customer; }
    // How long the row's call took from arriving to its row, as its tooltip shows it.
    QString rowToolTip(int row) const { return m_popTimes.value(row); }

signals:
    void announceCall(const QString& rawNumber);
    void callTaken(const QString& callCode, const QString& number, const QString& time, const QString& userCode);
    void historyRequested(const QString& ccode, const QString& number);
    void consultHistoryRequested(const QString& ccode, const QString& number);
    void categoryPickRequested(const QString& text);
    // The customised edition asks its outside call system for the user's results.
    void resultRequested(const QString& userCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct PanelField {
        QString column;
        QLineEdit* edit;
    };

    QWidget* buildCallList();
    QWidget* buildCustomerPanel();
    QWidget* buildConsultPanel();
    QPushButton* opener(const QString& name, const QString& caption, const QString& screen);

    void addCallRow(const CallIntake::Call& call);
    void setRow(int row, const QString& time, const QString& name, const QString& number, const QString& consultant,
                const QString& ccode, const QString& call, const QString& consultantCode);
    void recount();
    int rowOfCall(const QString& callCode) const;
    quint32 newestCall() const;
    QString rowNumber(int row) const;
    void nameEdited(int row, const QString& oldName, const QString& newName);

    // The panel and the three history panes change together, so they always show one customer;
    // without a customer the panel is empty and the consultations are the number's.
    void showCaller(const QString& ccode, const QString& number);
    void focusChanged(QWidget* old, QWidget* now);
    void showConsultation(quint32 call, bool editable);
    void clearConsultation();
    void setEditable(bool editable);
    void markChanged();
    bool hasUnsavedChanges() const;
    // Saves the current consultation with state (0: the chosen state button); false when nothing
    // was saved.
    bool save(int state);
    int chosenState() const;
    QString currentNumber() const;

    void categoryEntered();
    void productEntered();
    // The trimmed name typed for a look-up; empty when there is none to make: the consultation is
    // not editable, or the name was erased, which clears its code.
    QString lookupText(QLineEdit* name, QLineEdit* code) const;
    void manualCall();
    void takeSelectedCall();
    void searchCustomer();
    // A new customer starts with name; an existing one is the shown customer.
    void openCustomerEditor(int mode, const QString& name = {});
    void openScreen(const QString& screen);
    void complete();
    void tick();

    Grid* m_list;
    QLabel* m_lblCount;
    QLabel* m_lblClock;
    QLabel* m_lblRsvDate;
    QLabel* m_lblRsvTime;
    QLineEdit* m_txtCustom;
    QList<PanelField> m_panel;
    QLabel* m_lblConDate;
    QLabel* m_lblConTime;
    QLabel* m_lblConDateTime;
    QLineEdit* m_txtConsult;
    QLineEdit* m_txtConsultCode;
    QLineEdit* m_txtConsultPro;
    QLineEdit* m_txtConsultProCode;
    QPlainTextEdit* m_txtTalk1;
    QPlainTextEdit* m_txtTalk2;
    QRadioButton* m_optState1;
    QRadioButton* m_optState2;
    QButtonGroup* m_stateGroup;
    QPushButton* m_btnSave;
    QPushButton* m_btnConsultCode;
    QLineEdit* m_txtConsultSeq;
    ucFindBox* m_fbUser;
    QWidget* m_historyArea;
    QWidget* m_presenceArea;
    QList<QPair<QPushButton*, QString>> m_openers;
    QTimer* m_timer1;
    QTimer* m_timerRefresh;

    QString m_customer;
    QString m_callerNumber; // of the shown caller, "" when the operator searched the customer
    // A ring at a desk not busy with a call shows its caller, unless the operator chose what the
    // panel shows.
    bool m_panelFollowsRings = true;
    // Screens opened by the desk's buttons: coming back from one reads the customer again.
    QList<QPointer<QWidget>> m_openedScreens;
    QString m_consultant; // of the shown call
    bool m_editable = false;
    bool m_loading = false;
    bool m_tamber;
    // Ring-to-pop of each row, as its tooltip, and of each stored call so a re-read keeps it.
    QList<QString> m_popTimes;
    QHash<QString, QString> m_popByCall;
};

} // namespace asv
