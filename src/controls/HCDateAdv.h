#pragma once

#include "hcDate.h"

namespace asv {

// The date box with day-step arrows ("udMvDay").
class HCDateAdv : public hcDate {
    Q_OBJECT

public:
    explicit HCDateAdv(QWidget* parent = nullptr);

    // Moves a valid date by days; a date that is not one only beeps.
    void stepDays(int days);
};

} // namespace asv
