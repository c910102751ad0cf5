#include "SmsCommands.h"

#include "SmsCustomers.h"
#include "modMsgBox.h"
#include "modSMSLink.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

int smsList(QTextStream& out, const QStringList& codes)
{
    return Guarded(u"smsList"_s, u"Module"_s, u"SmsCommands"_s, 1, [&] {
        const QList<SmsRecipient> recipients = SmsCustomers::byCodes(codes);
        if (recipients.isEmpty()) {
            MsgInfo(u"no customer with code "_s + codes.join(u", "_s));
            return 1;
        }
        const QString folder = SmsProgramFolder(false);
        if (folder.isEmpty())
            return 1;
        const QString path = SmsFilePath(folder, kSmsListFile);
        if (!CreateTelListFile(path, recipients))
            return 1;
        out << path << '\n';
        return 0;
    });
}

} // namespace asv
