#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace asv {

// A short message to a colleague's desk, or one received from it.
class FrmAS_Msg : public QWidget {
    Q_OBJECT

public:
    enum class Mode { Send, Received };

    explicit FrmAS_Msg(QWidget* parent = nullptr);

    void showSend(const QString& code, const QString& name);
    void showReceived(const QString& code, const QString& name, const QString& text);

    Mode mode() const { return m_mode; }
    const QString& personCode() const { return m_code; }

signals:
    void sendRequested(const QString& toCode, const QString& text);

private:
    void setMode(Mode mode);
    void sendClicked();

    Mode m_mode = Mode::Send;
    QString m_code;
    QLabel* m_personLabel;
    QLineEdit* m_person;
    QPlainTextEdit* m_text;
    QPushButton* m_send;
    QPushButton* m_reply;
};

} // namespace asv
