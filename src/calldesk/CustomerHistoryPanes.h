#pragma once

#include "RecordSetPtr.h"

#include <QDate>
#include <QWidget>
#include <functional>

class QLabel;
class QVBoxLayout;

namespace asv {

class Grid;

// The caller's AS jobs (`spListAS`), consultations (`spListConsult`) and purchases (`spListSell`)
// beside the consultation on the desk, each over its period; Enter or a double click on a row
// opens its detail window, after which the list is read again.
class CustomerHistoryPanes : public QWidget {
    Q_OBJECT
public:
    explicit CustomerHistoryPanes(QWidget* parent = nullptr);

    // Without a customer code: AS jobs and purchases cleared, consultations by the number (given
    // without its call count).
    void showCustomer(const QString& ccode, const QString& number);
    void ShowASList(const QString& ccode);
    void ShowConsultList(const QString& ccode, const QString& number);
    void ShowSellList(const QString& ccode);

    // The period window; the lists are read again after it closed.
    void setTerm();

    Grid* asList() const { return m_asList; }
    Grid* consultList() const { return m_consultList; }
    Grid* sellList() const { return m_sellList; }

signals:
    void consultCorrected(const QString& callCode);
    // The result lines opened from the AS list closed: their charges may have moved the balance.
    void jobResultsClosed();

private:
    struct ColumnDef {
        QString caption;
        // The width's sample text; "" for the column that takes the room left, or for a hidden one.
        QString sample;
        bool hidden = false;
    };
    // The list `spList<kind>` under its title, with its count label `lblCount<kind>`.
    Grid* addList(QVBoxLayout* column, const QString& kind, const QString& title, const QList<ColumnDef>& columns,
                  QLabel*& count);
    // Reads a list under the desk's error guard; without a caller it is left empty.
    void fill(Grid* grid, QLabel* count, const QString& procedure, bool hasCaller,
              const std::function<RecordSetPtr()>& read);
    // A list open past midnight still reaches the new day.
    void keepEndsAtToday();
    void openResults(int row);
    void openAS(int row);
    void openConsult(int row);
    void openSell(int row);

    Grid* m_asList;
    Grid* m_consultList;
    Grid* m_sellList;
    QLabel* m_asCount = nullptr;
    QLabel* m_consultCount = nullptr;
    QLabel* m_sellCount = nullptr;
    QString m_ccode;
    QString m_number;
    QDate m_endsSetOn;
};

} // namespace asv
