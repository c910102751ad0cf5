#pragma once

#include "CallerIdAmiReader.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace asv {

// Tells from the PBX manager's events that the operator's extension rings, and who calls. The
// extension is a number ("101", matched on any channel technology or as the dialled extension)
// or a device ("PJSIP/101"). One ring is reported once although several events announce it.
class CallerIdAmiRing {
public:
    explicit CallerIdAmiRing(QString extension);

    // The caller's number (normalised) for a new ring of the extension; nullopt otherwise,
    // also when the caller is unknown.
    std::optional<QString> callerOf(const CallerIdAmiReader::Message& message);

private:
    bool isExtensionChannel(const QString& channel) const;
    bool firstTime(const QString& ringId);

    QString m_extension;
    QStringList m_recentRings;
};

} // namespace asv
