#pragma once

#include <QDialog>

namespace asv {

// Connection settings: host, account, database, password and the private local server. Writes
// the connection profile, whose own tool does not exist on this platform.
class FrmDBConnect : public QDialog {
    Q_OBJECT
public:
    explicit FrmDBConnect(QWidget* parent = nullptr);
    // Saves the profile; false (and a message) when a field cannot be stored.
    bool save();
    // Tries the typed settings against the server and reports the result.
    void testConnection();
};

} // namespace asv
