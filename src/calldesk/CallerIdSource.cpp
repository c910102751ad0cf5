#include "CallerIdSource.h"

#include "CallerIdAmiSource.h"
#include "CallerIdLibrarySource.h"
#include "CallerIdNcidSource.h"
#include "CallerIdSerialSource.h"
#include "CallerIdSettings.h"

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

QString CallerIdSource::placeOf(int port) const
{
    return u"COM"_s + QString::number(port);
}

} // namespace asv
