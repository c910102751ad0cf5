#pragma once

#include "PeriodReportStore.h"
#include "Setting.h"

#include <QWidget>

class QComboBox;

namespace asv {

class ucFindBox;

// The salesperson filter of the period reports: the salesperson (`fbUser`) and whether that is the
// customer's main salesperson or the document's (`cboChType`, remembered in the setting).
class ChargeFilter : public QWidget {
    Q_OBJECT
public:
    ChargeFilter(QWidget* parent, const Setting<int>& chargeOf);

    PeriodReportStore::ChargeOf chargeOf() const;
    // Empty: every salesperson.
    QString userCode() const;
    // For the print heading: the chosen salesperson, or "전체".
    QString userName() const;

private:
    QComboBox* m_cboChType;
    ucFindBox* m_fbUser;
};

} // namespace asv
