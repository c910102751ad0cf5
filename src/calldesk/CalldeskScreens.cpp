#include "CalldeskScreens.h"

#include "ConsultDesk.h"
#include "ScreenRegistry.h"
#include "frmAS_admin4.h"

using namespace Qt::StringLiterals;

namespace asv {

void CalldeskScreens::registerAll()
{
    ScreenRegistry::add(u"mnuSlipCon"_s, {[](QWidget* parent) { return CreateConsultDesk(parent); }, false});
}

} // namespace asv
