#include "CallerIdSource.h"

#include "CallerIdAmiSource.h"
#include "CallerIdLibrarySource.h"
#include "CallerIdNcidSource.h"
#include "CallerIdSerialSource.h"
#include "CallerIdSettings.h"
#include "ConfigKeys.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

CallerIdSource* CallerIdSource::create(int type, QObject* parent)
{
    using namespace CallerIdSettings;
    switch (type) {
    case ModemControl: return new CallerIdSerialSource(CallerIdSerialSource::Kind::Modem, parent);
    case DeviceLibrary: return new CallerIdLibrarySource(parent);
    case SerialBox: return new CallerIdSerialSource(CallerIdSerialSource::Kind::Box, parent);
    case NcidServer: return new CallerIdNcidSource(parent);
    case PbxManager: return new CallerIdAmiSource(parent);
    default: return nullptr;
    }
}

QString CallerIdSource::configuration()
{
    using namespace CallerIdSettings;
    QStringList parts{ConfigKeys::CallerIdDevice.text(), LibraryPath.text(), ModemBaud.text(), NcidHost.text(),
                      NcidPort.text(), PbxHost.text(), PbxPort.text(), PbxUser.text(), PbxSecret.text(),
                      PbxExtension.text()};
    for (const Setting<int>& port : ConfigKeys::CallerIdPorts)
        parts << port.text();
    for (const Setting<QString>& path : DevicePaths)
        parts << path.text();
    return parts.join(u'\n');
}

QString CallerIdSource::placeOf(int, int port) const
{
    return u"COM"_s + QString::number(port);
}

} // namespace asv
