#include "CallerIdLibrarySource.h"

#include "CallerIdLog.h"
#include "CallerIdNotification.h"
#include "CallerIdSettings.h"
#include "Paths.h"

#include <QFileInfo>
#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

template <typename F>
F resolve(void* handle, const char* name)
{
    return reinterpret_cast<F>(dlsym(handle, name));
}

} // namespace

CallerIdLibrarySource::CallerIdLibrarySource(QObject* parent) : CallerIdSource(parent) {}

CallerIdLibrarySource::~CallerIdLibrarySource()
{
    unload();
}

QString CallerIdLibrarySource::libraryFile()
{
    const QString setting = CallerIdSettings::LibraryPath.get().trimmed();
    if (QFileInfo(setting).isRelative()) {
        const QString local = Paths::file(setting);
        if (QFileInfo::exists(local))
            return local;
    }
    return setting;
}

bool CallerIdLibrarySource::load()
{
    if (m_handle)
        return true;
    const QString file = libraryFile();
    m_handle = dlopen(file.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        qCWarning(lcCallerId) << "cannot load" << file << dlerror();
        return false;
    }
    m_register = resolve<LoadSetDllFunction>(m_handle, "LoadSetDll");
    m_open = resolve<SeeID4OpenFunction>(m_handle, "SeeID4Open");
    m_close = resolve<SeeID4CloseFunction>(m_handle, "SeeID4Close");
    m_getMessage = resolve<SeeID4GetMsgFunction>(m_handle, "SeeID4GetMsg");
    if (!m_register || !m_open || !m_close || !m_getMessage) {
        qCWarning(lcCallerId) << file << "lacks an export of the caller-ID library";
        unload();
        return false;
    }
    m_register(&CallerIdLibrarySource::notified, this);
    return true;
}

void CallerIdLibrarySource::unload()
{
    if (!m_handle)
        return;
    if (m_register)
        m_register(nullptr, nullptr);
    dlclose(m_handle);
    m_handle = nullptr;
    m_register = nullptr;
    m_open = nullptr;
    m_close = nullptr;
    m_getMessage = nullptr;
}

bool CallerIdLibrarySource::openLine(int line, int port)
{
    if (!load() || m_open(port) == 0)
        return false;
    m_ports.insert(line, port);
    return true;
}

bool CallerIdLibrarySource::closeLine(int line)
{
    if (!m_ports.contains(line))
        return false;
    const bool closed = m_close(m_ports.take(line)) != 0;
    if (m_ports.isEmpty())
        unload();
    return closed;
}

void CallerIdLibrarySource::notified(void* context, long wParam)
{
    const CallArrival arrived = std::chrono::steady_clock::now();
    auto* source = static_cast<CallerIdLibrarySource*>(context);
    QMetaObject::invokeMethod(source, [source, wParam, arrived] { source->fetch(wParam, arrived); },
                              Qt::QueuedConnection);
}

void CallerIdLibrarySource::fetch(long wParam, CallArrival arrived)
{
    if (!m_getMessage)
        return;
    char buffer[kCallerIdMessageSize] = {};
    m_getMessage(wParam, buffer);
    const QByteArrayView message(buffer, sizeof buffer);
    // The kind and length bytes may be anything, so the log keeps the bytes up to the number's end.
    constexpr qsizetype kNumberStart = 15;
    const qsizetype end = message.sliced(kNumberStart).indexOf('\0');
    CallerIdLog::rawLine(u"library"_s, message.first(end < 0 ? message.size() : kNumberStart + end));
    if (const auto n = CallerIdNotification::parse(message))
        emit callerNumber(n->number, n->line, arrived);
}

} // namespace asv
