#include "ServiceScreens.h"

#include "AppState.h"
#include "FrmAS_AdminTamber.h"
#include "FrmAS_Result.h"
#include "FrmAS_admin2.h"
#include "FrmAS_save.h"
#include "FrmAsCode_save.h"
#include "FrmRPT_ASListTamber.h"
#include "FrmRPT_Consult.h"
#include "FrmReport_ASSaleTamber.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The edition is known only after the login, so a menu entry chooses its screen when it opens it.
template <class Plain, class Edition>
ScreenRegistry::Entry byEdition()
{
    return {[](QWidget* parent) -> QWidget* {
                if (App().isTamber())
                    return new Edition(parent);
                return new Plain(parent);
            },
            false};
}

} // namespace

void ServiceScreens::registerAll()
{
    ScreenRegistry::add(u"mnuBase_ascode"_s, {[](QWidget* parent) { return new FrmAsCode_save(parent); }, false});
    // Not on the menu: the desk opens a new job for its caller under this name.
    ScreenRegistry::add(u"FrmAS_save"_s, {[](QWidget* parent) { return new FrmAS_save(parent); }, true});
    // Not on the menu either: the desk's AS history opens the result lines of a job with it.
    ScreenRegistry::add(kAsResultScreen, {[](QWidget* parent) { return new FrmAS_Result(parent); }, false});
    ScreenRegistry::add(u"mnuSlipAS_10"_s, byEdition<FrmAS_admin, FrmAS_AdminTamber>());
    // No menu entry opens the status screen; it is kept under its own name.
    ScreenRegistry::add(u"FrmAS_admin2"_s, {[](QWidget* parent) { return new FrmAS_admin2(parent); }, false});
    ScreenRegistry::add(u"mnuAS_Report_50"_s, byEdition<FrmRPT_ASList, FrmRPT_ASListTamber>());
    // Its menu entry shows only in the edition that follows deliveries.
    ScreenRegistry::add(u"mnuReport_ASSale"_s,
                        {[](QWidget* parent) { return new FrmReport_ASSaleTamber(parent); }, false});
    ScreenRegistry::add(u"mnuSlipConList"_s, {[](QWidget* parent) { return new FrmRPT_Consult(parent); }, false});
}

} // namespace asv
