#pragma once

#include <QDialog>
#include <memory>

namespace asv {

class HistoryDetailForm;

// A sale line of the caller's history, read-only.
class FrmAS_SubSell : public QDialog {
    Q_OBJECT
public:
    explicit FrmAS_SubSell(QWidget* parent = nullptr);
    ~FrmAS_SubSell() override;

    // Reads and shows the line; a line that is gone shows empty fields.
    void ShowData(int code);

private:
    std::unique_ptr<HistoryDetailForm> m_form;
};

} // namespace asv
