#pragma once

#include <QDialog>

class QGridLayout;

namespace asv {

class hcDate;
struct HistoryPeriodSetting;

// The periods of the three history lists: the operator sets where each starts; each ends today.
// Closing stores the starts, unless one is no date.
class FrmAS_SubDate : public QDialog {
    Q_OBJECT
public:
    explicit FrmAS_SubDate(QWidget* parent = nullptr);

    void done(int result) override;

private:
    struct Row {
        const HistoryPeriodSetting* period;
        hcDate* from;
    };
    void addRow(const QString& name, const QString& caption, const HistoryPeriodSetting& period);

    QList<Row> m_rows;
    QGridLayout* m_grid;
};

} // namespace asv
