#pragma once

#include "CallerIdLibraryExports.h"
#include "CallerIdSource.h"

#include <QHash>

namespace asv {

// The caller-ID device library, loaded at the first line opened. Its notifications are moved
// onto the GUI thread before the message is fetched and read.
class CallerIdLibrarySource : public CallerIdSource {
    Q_OBJECT
public:
    explicit CallerIdLibrarySource(QObject* parent = nullptr);
    ~CallerIdLibrarySource() override;

    bool openLine(int line, int port) override;
    bool closeLine(int line) override;

    // The library file of the setting: a relative name found in the program folder, else as given.
    static QString libraryFile();

private:
    bool load();
    void unload();
    static void notified(void* context, long wParam);
    void fetch(long wParam, CallArrival arrived);

    void* m_handle = nullptr;
    LoadSetDllFunction m_register = nullptr;
    SeeID4OpenFunction m_open = nullptr;
    SeeID4CloseFunction m_close = nullptr;
    SeeID4GetMsgFunction m_getMessage = nullptr;
    QHash<int, int> m_ports; // line -> port
};

} // namespace asv
