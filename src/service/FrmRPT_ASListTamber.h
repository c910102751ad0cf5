#pragma once

#include "FrmRPT_ASList.h"

namespace asv {

// The AS result list of the edition that follows deliveries: lines of a delivery period, each with
// its customer's model, telephone and address and its delivery date.
class FrmRPT_ASListTamber : public FrmRPT_ASList {
    Q_OBJECT
public:
    explicit FrmRPT_ASListTamber(QWidget* parent = nullptr);
};

} // namespace asv
