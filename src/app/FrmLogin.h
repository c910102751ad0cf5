#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace asv {

// The operator's login. On success AppState.LoginId holds the typed id; otherwise it stays "-1".
class FrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit FrmLogin(QWidget* parent = nullptr);

    // Modal login as start-up needs it; true when somebody logged in.
    static bool run(QWidget* parent = nullptr);

    static constexpr int kMaxAttempts = 3;

public slots:
    // Escape and the window's close button: asks before giving up.
    void reject() override;

private:
    void applyPasswordHint();
    void checkLogin();

    QLineEdit* m_txtUser;
    QLineEdit* m_txtPass;
    QPushButton* m_btnLogin;
    QPushButton* m_btnExit;
    int m_attempts = 0;
};

} // namespace asv
