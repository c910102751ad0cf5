#include "GetLoginUserInfo.h"

#include "AppState.h"
#include "OfficeStore.h"
#include "UserStore.h"
#include "modMsgBox.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

void GetLoginUserInfo(const QString& loginId)
{
    Guarded(u"GetLoginUserInfo"_s, u"Module"_s, u"modMain"_s, 0, [&] {
        AppState& app = App();
        const auto user = UserStore().byLoginId(loginId);
        app.UserCode = user ? user->code : QString();
        app.UserName = user ? user->name : QString();
        if (app.UserCode.isEmpty())
            app.UserCode = UserStore::administratorCode();
        app.CompanyName = OfficeStore().companyName();
        return 0;
    });
}

} // namespace asv
