#pragma once

#include <QStringList>

namespace asv {

class LocalServer;

struct StartOptions {
    bool localServer = false; // run the private server under the program folder
    bool demo = false;        // load the demo data set once into a new database
    QString home;             // program folder given with --home
    // Close the main window as soon as it is shown and print the time it took (for measuring).
    bool measureStartup = false;
    bool connectionSettings = false; // edit the connection profile before starting
    bool gallery = false;            // show the controls gallery instead of the program

    static StartOptions parse(const QStringList& arguments);
};

// The start-up sequence up to the main window, the event loop, and the orderly end.
int SubMain(const StartOptions& options);

// Connects, checks the character set, brings the structure up to date and reads the options.
bool InitApp();
void DestroyApp();

// The connection profile and the shared account's name into the application state.
void ReadConnectionProfile();
// Starts the private server when the options or the profile ask for it and points the
// application state at it; false when it could not be started. A profile still on the shared
// account is moved to an account of the installation's own first (see LocalServer::prepare).
bool StartLocalServerIfWanted(const StartOptions& options);
LocalServer* RunningLocalServer();

} // namespace asv
