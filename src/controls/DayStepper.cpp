#include "DayStepper.h"

#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

DayStepper::DayStepper(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto addArrow = [this, layout](const QString& name, Qt::ArrowType arrow, int days, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setToolTip(tip);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        connect(button, &QToolButton::clicked, this, [this, days] { emit stepped(days); });
        layout->addWidget(button);
    };
    addArrow(u"btnNextDay"_s, Qt::UpArrow, 1, u"다음날"_s);
    addArrow(u"btnPrevDay"_s, Qt::DownArrow, -1, u"전날"_s);
}

} // namespace asv
