#pragma once

#include <QWidget>

namespace asv {

// The small up/down arrows beside a date that move it by one day.
class DayStepper : public QWidget {
    Q_OBJECT

public:
    explicit DayStepper(QWidget* parent = nullptr);

signals:
    void stepped(int days);
};

} // namespace asv
