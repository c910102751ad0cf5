#pragma once

#include "CallerIdTcpSource.h"

namespace asv {

// A LAN caller-ID server that other devices already feed; its live "CID:" lines are calls.
class CallerIdNcidSource : public CallerIdTcpSource {
    Q_OBJECT
public:
    // Host and port from the settings.
    explicit CallerIdNcidSource(QObject* parent = nullptr);

private:
    void connected() override;
    void lineRead(QByteArrayView line, CallArrival arrived) override;
};

} // namespace asv
