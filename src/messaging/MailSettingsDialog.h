#pragma once

#include <QDialog>

namespace asv {

// The mail settings opened from the options, without a mail to send.
class MailSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit MailSettingsDialog(QWidget* parent = nullptr);
};

} // namespace asv
