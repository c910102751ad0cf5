#pragma once

#include "SearchIndexes.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

namespace asv {

// Offers the administrator what an older database lacks for fast searches ("지금 추가" /
// "나중에") and adds it while the other desks keep working: the statements run on a connection of
// their own in a worker thread, the window shows how far they are and stays responsive.
class FrmDbIndex : public QDialog {
    Q_OBJECT
public:
    // After "나중에" the offer comes back at the administrator's first login this many days later.
    static constexpr int kAskAgainDays = 7;

    explicit FrmDbIndex(QStringList statements, QWidget* parent = nullptr);
    ~FrmDbIndex() override;

    // Shows the offer when the operator is the administrator, the database lacks something and
    // no "나중에" for this database is younger than kAskAgainDays.
    static void offerAfterLogin(QWidget* parent);
    // Whether the administrator's login should show the offer now (the catalogue is read only
    // when nothing was postponed).
    static QStringList dueStatements();

    bool isWorking() const { return m_worker != nullptr; }
    const QList<SearchIndexes::Failure>& failures() const { return m_failures; }

public slots:
    void reject() override;

private:
    void addNow();
    void later();
    void showProgress(int done, const QString& next);
    void finish();

    QStringList m_statements;
    QLabel* m_lblStatus;
    QProgressBar* m_prgIndex;
    QPushButton* m_btnAddNow;
    QPushButton* m_btnLater;
    QThread* m_worker = nullptr;
    QList<SearchIndexes::Failure> m_failures;
};

} // namespace asv
