#include "HCDateAdv.h"

#include "DayStepper.h"

#include <QApplication>
#include <QHBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

HCDateAdv::HCDateAdv(QWidget* parent) : hcDate(parent)
{
    auto* stepper = new DayStepper(this);
    stepper->setObjectName(u"udMvDay"_s);
    m_layout->addWidget(stepper);
    connect(stepper, &DayStepper::stepped, this, &HCDateAdv::stepDays);
}

void HCDateAdv::stepDays(int days)
{
    const auto current = date();
    if (!current) {
        QApplication::beep();
        return;
    }
    setDate(current->addDays(days));
}

} // namespace asv
