#include "SingleInstance.h"

#include "Paths.h"

using namespace Qt::StringLiterals;

namespace asv {

SingleInstance::SingleInstance() : m_lock(std::make_unique<QLockFile>(Paths::file(u"asvelmora.lock"_s)))
{
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock->tryLock(0);
}

} // namespace asv
