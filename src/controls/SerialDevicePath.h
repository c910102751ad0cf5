#pragma once

#include <QString>

namespace asv {

// The device of a serial port setting: a number or "COM<n>" of the old numbering is the n-th
// serial port (/dev/ttyS<n-1>); a path (/dev/ttyUSB0, /dev/serial/by-id/...) is taken as it is and a
// bare device name is looked for under /dev. "" for an empty setting or port 0.
QString SerialDevicePath(const QString& setting);

} // namespace asv
