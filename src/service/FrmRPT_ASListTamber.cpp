#include "FrmRPT_ASListTamber.h"

using namespace Qt::StringLiterals;

namespace asv {

FrmRPT_ASListTamber::FrmRPT_ASListTamber(QWidget* parent) : FrmRPT_ASList(parent, u"FrmRPT_ASListTamber"_s, true) {}

} // namespace asv
