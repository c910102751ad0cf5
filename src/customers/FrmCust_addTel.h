#pragma once

#include <QDialog>
#include <array>

namespace asv {

class HCText;

// The customer's second to fourth telephone numbers. The editor creates it hidden, reads and
// writes its fields directly, and it keeps them while the editor is open.
class FrmCust_addTel : public QDialog {
    Q_OBJECT
public:
    explicit FrmCust_addTel(QWidget* parent = nullptr);

    // n = 2, 3 or 4, as the columns telno2..telno4.
    HCText* telNo(int n) const;

private:
    std::array<HCText*, 3> m_telNo{};
};

} // namespace asv
