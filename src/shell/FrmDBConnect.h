#pragma once

#include "ConnectionProfile.h"

#include <QDialog>
#include <optional>

class QGroupBox;

namespace asv {

// Connection settings: host, account, database, password, encryption and the private local
// server. Writes the connection profile, whose own tool does not exist on this platform.
class FrmDBConnect : public QDialog {
    Q_OBJECT
public:
    explicit FrmDBConnect(QWidget* parent = nullptr);
    // Saves the profile; false (and a message) when a field cannot be stored.
    bool save();
    // save() once an office server has answered to the typed settings; a database missing there or
    // empty shows the server administrator's account for createDatabase().
    bool saveTested();
    // Makes the missing database as the administrator typed, then saves the profile.
    bool createDatabase();
    // Tries the typed settings against the server and reports the result.
    void testConnection();

private:
    // The typed profile, or nothing (and a message) when a field cannot be stored.
    std::optional<ConnectionProfile> typed() const;
    bool reachable(const ConnectionProfile& p);

    QGroupBox* m_create;
};

} // namespace asv
