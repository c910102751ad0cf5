#pragma once

#include <QDialog>

namespace asv {

// The notice shown after login until the operator ticks that it should not appear again.
class frmIntroMsg : public QDialog {
    Q_OBJECT
public:
    explicit frmIntroMsg(QWidget* parent = nullptr);
    static void showOnce(QWidget* parent);

protected:
    void done(int result) override;
};

} // namespace asv
