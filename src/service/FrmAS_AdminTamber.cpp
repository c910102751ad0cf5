#include "FrmAS_AdminTamber.h"

using namespace Qt::StringLiterals;

namespace asv {

FrmAS_AdminTamber::FrmAS_AdminTamber(QWidget* parent) : FrmAS_admin(parent, u"FrmAS_AdminTamber"_s, true) {}

} // namespace asv
