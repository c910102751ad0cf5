#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace asv {

class Grid;
class SpreadsheetReader;

// Takes customers from a spreadsheet: the operator picks the file and the sheet, says which
// sheet column feeds which customer field and which rows to take; CustomerImport checks and
// stores them and every problem goes to the log box.
class FrmTool_ImpData : public QWidget {
    Q_OBJECT
public:
    explicit FrmTool_ImpData(QWidget* parent = nullptr);
    ~FrmTool_ImpData() override;

    // Reads the file named in the path box: its sheets into the chooser, the chosen one into the list.
    void loadFile();
    void importData();

private:
    void chooseFile();
    void loadSheet();
    void showOpenFailure(long number, const QString& description);
    void log(const QString& line);

    QLineEdit* m_txtPathExcel;
    QComboBox* m_cmbSheet;
    Grid* m_spList;
    QList<QComboBox*> m_cmbColumn;
    QLineEdit* m_txtStartRow;
    QLineEdit* m_txtEndRow;
    QLabel* m_lblDataCount;
    QProgressBar* m_pgbImport;
    QPlainTextEdit* m_txtLog;
    QPushButton* m_btnImport;
    std::unique_ptr<SpreadsheetReader> m_reader;
    QList<QStringList> m_cells;
};

} // namespace asv
