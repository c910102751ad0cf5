#include "MailScreens.h"

namespace asv {

void MailScreens::registerAll() {}

} // namespace asv
