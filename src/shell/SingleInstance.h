#pragma once

#include <QLockFile>
#include <memory>

namespace asv {

// One running copy per user: a lock file in the program folder, released at exit (and judged
// stale by its process id after a crash).
class SingleInstance {
public:
    SingleInstance();
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace asv
