#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace asv {

class Grid;
class HCTerm;
class ucFindBox;

// What the AS and consultation lists share: the period box (`hmDate`) among the filters above,
// the list (`spList`), a footer, the query (`btnQuery`, F5), print (`btnPrint`, F7), export
// (`btnExcel`, F8) and close (`btnClose`) buttons, F3 to the period, and the window layout kept
// per screen.
class PeriodListWindow : public QWidget {
    Q_OBJECT
public:
    Grid* list() const { return m_list; }
    HCTerm* period() const { return m_period; }

    // Reads the list for the filters.
    virtual void query() = 0;
    virtual void printList();
    // The file written, "" when nothing was.
    QString exportList();

    QSize sizeHint() const override { return {1100, 620}; }

protected:
    // printTitle heads the printed list; periodName ("접수기간:") names the period below it.
    PeriodListWindow(QWidget* parent, const QString& name, const QString& title, const QString& printTitle,
                     const QString& periodName);

    // Above the list: the period (with its caption) starts the first filter row.
    QHBoxLayout* filterRow() const { return m_filters; }
    // A further row of filters below the first.
    QHBoxLayout* addFilterRow();
    // A further row that starts with the customer find box (`fbCust`, "거래처:"); the screen adds
    // its other filters and the closing stretch to the row returned.
    QHBoxLayout* addCustomerFilterRow(ucFindBox* customer);
    // The footer's left side, before the buttons.
    QHBoxLayout* footer() const { return m_footer; }
    // Buttons of the screen's own, placed before print.
    void addButtons(const QList<QPushButton*>& buttons);
    // Call at the end of the derived constructor: the list where it goes with a panel beside or
    // below it, layouts read back.
    void finishLayout(QWidget* panel = nullptr, Qt::Orientation panelPlace = Qt::Horizontal);
    void setPeriodCaption(const QString& caption);

    // The add (`btnRecAdd`, F2), edit (`btnRecEdit`, Enter) and delete (`btnRecDel`, F4) buttons
    // of the screen's records, for addButtons. Enter edits only while records has the focus, since
    // Enter in a filter field is that field's own.
    QList<QPushButton*> recordButtons(QWidget* records, std::function<void()> add, std::function<void()> edit,
                                      std::function<void()> remove);

    virtual QString printSubtitle() const;

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct RecordActions {
        QWidget* records = nullptr;
        std::function<void()> add;
        std::function<void()> edit;
        std::function<void()> remove;
    };
    bool recordKey(int key);

    Grid* m_list;
    HCTerm* m_period;
    QLabel* m_periodCaption;
    QString m_printTitle;
    QString m_periodName;
    QBoxLayout* m_top;
    QHBoxLayout* m_filters;
    QHBoxLayout* m_footer;
    QHBoxLayout* m_buttons;
    RecordActions m_recordActions;
};

} // namespace asv
