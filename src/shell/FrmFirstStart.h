#pragma once

#include <QDialog>

namespace asv {

// The first start of a PC without a connection profile: the data on a private server of this PC,
// or on the office's server through the connection settings. The choice is saved in the profile.
class FrmFirstStart : public QDialog {
    Q_OBJECT
public:
    explicit FrmFirstStart(QWidget* parent = nullptr);

private:
    void chooseLocalServer();
    void chooseOfficeServer();
};

} // namespace asv
