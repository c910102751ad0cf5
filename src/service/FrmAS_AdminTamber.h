#pragma once

#include "FrmAS_admin.h"

namespace asv {

// The AS ledger of the edition that follows deliveries: each job also shows its customer's model,
// telephone and address and the delivery dates of its result lines.
class FrmAS_AdminTamber : public FrmAS_admin {
    Q_OBJECT
public:
    explicit FrmAS_AdminTamber(QWidget* parent = nullptr);
};

} // namespace asv
