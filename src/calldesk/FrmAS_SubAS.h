#pragma once

#include <QDialog>
#include <memory>

namespace asv {

class Grid;
class HistoryDetailForm;

// An AS job of the caller's history, read-only: the reception and its work lines.
class FrmAS_SubAS : public QDialog {
    Q_OBJECT
public:
    explicit FrmAS_SubAS(QWidget* parent = nullptr);
    ~FrmAS_SubAS() override;

    // Reads and shows the job; a job that is gone shows empty fields.
    void ShowData(int code);

    Grid* workLines() const { return m_lines; }

private:
    void showWorkLines(int code);

    std::unique_ptr<HistoryDetailForm> m_form;
    Grid* m_lines;
};

} // namespace asv
