#include "ServerAddresses.h"

#include "Paths.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace asv {

QString ServerAddresses::lookup(const QString& name)
{
    QFile f(Paths::file(u"server_address_setting.json"_s));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object().value(name).toString().trimmed();
}

void ServerAddresses::refreshConfigIni()
{
    const std::pair<QString, QString> targets[] = {
        {u"Ostra마스터서버"_s, u"server"_s},
        {u"Ostra관리서버"_s, u"manageserver"_s},
        {u"OstraSMS서버"_s, u"smsserver"_s},
    };
    QSettings ini(Paths::configIni(), QSettings::IniFormat);
    for (const auto& [name, section] : targets) {
        const QString host = lookup(name);
        if (!host.isEmpty())
            ini.setValue(section + u"/ip"_s, host);
    }
}

} // namespace asv
