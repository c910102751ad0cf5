#pragma once

#include "Setting.h"

#include <QList>

// The caller-ID sources' own settings; the kind of device and the two ports are ConfigKeys'
// CallerIdDevice and CallerIdPorts, which the options screen already edits.
namespace asv::CallerIdSettings {

inline const QString kConfig = QStringLiteral("Config");

// Values of "SeeIDType" beyond the three device kinds.
enum Type { ModemControl = 0, DeviceLibrary = 1, SerialBox = 2, NcidServer = 3, PbxManager = 4 };

// The device library; a relative name is looked for in the program folder first.
inline const Setting<QString> LibraryPath{kConfig, QStringLiteral("SeeIDLibrary"), QStringLiteral("libSeeID4.so")};
// The device of each line when it is not the COM<n> of the port setting (/dev/ttyUSB0, ...).
inline const QList<Setting<QString>> DevicePaths{{kConfig, QStringLiteral("SeeIDDevice1"), QString()},
                                                 {kConfig, QStringLiteral("SeeIDDevice2"), QString()}};
// The modem kind's speed; the serial box always runs at 19200.
inline const Setting<int> ModemBaud{kConfig, QStringLiteral("SeeIDBaud"), 19200};

inline const Setting<QString> NcidHost{kConfig, QStringLiteral("NcidHost"), QStringLiteral("127.0.0.1")};
inline const Setting<int> NcidPort{kConfig, QStringLiteral("NcidPort"), 3333};

inline const Setting<QString> PbxHost{kConfig, QStringLiteral("AmiHost"), QStringLiteral("127.0.0.1")};
inline const Setting<int> PbxPort{kConfig, QStringLiteral("AmiPort"), 5038};
inline const Setting<QString> PbxUser{kConfig, QStringLiteral("AmiUser"), QString()};
inline const Setting<QString> PbxSecret{kConfig, QStringLiteral("AmiSecret"), QString()};
// The operator's extension ("101") or device ("PJSIP/101").
inline const Setting<QString> PbxExtension{kConfig, QStringLiteral("AmiExtension"), QString()};

} // namespace asv::CallerIdSettings
