#pragma once

#include <QDialog>
#include <optional>
#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QPushButton;

namespace asv {

class HistoryDetailForm;
class ucFindBox;

// A consultation of the caller's history, which the operator may correct: product, category,
// inquiry, consultation and state. Whoever saves a correction becomes its consultant; another
// consultant's consultation only where the options allow it.
class FrmAS_SubConsult2 : public QDialog {
    Q_OBJECT
public:
    explicit FrmAS_SubConsult2(QWidget* parent = nullptr);
    ~FrmAS_SubConsult2() override;

    // Reads and shows the consultation; one that is gone shows empty fields and cannot be saved.
    void ShowData(int code);

    // Asks, checks and stores the correction; the window closes accepted once it is stored.
    void saveCorrection();

private:
    // The category's code for the typed name, 0 for none; nullopt after refusing an unknown name.
    std::optional<int> categoryCode();
    void pickCategory();

    std::unique_ptr<HistoryDetailForm> m_form;
    ucFindBox* m_fbProd;
    QLineEdit* m_txtConsult;
    QPlainTextEdit* m_txtTalk1;
    QPlainTextEdit* m_txtTalk2;
    QRadioButton* m_optPending;
    QRadioButton* m_optClosed;
    QPushButton* m_btnSave;
    int m_code = 0;
    QString m_regucode;
};

} // namespace asv
