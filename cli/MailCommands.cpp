#include "MailCommands.h"

#include "MailSending.h"
#include "MailSettings.h"
#include "Prompter.h"

#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace asv {

int mailTest(const QString& address)
{
    const MailSettings settings = MailSettings::load();
    if (const QString problem = settings.problem(QSysInfo::machineHostName()); !problem.isEmpty()) {
        Prompter::current().info(problem, u"메일 테스트"_s);
        return 1;
    }
    return MailSending::sendTest(settings, address) ? 0 : 1;
}

} // namespace asv
