#pragma once

#include <memory>

namespace asv {

// Headers that only pass results along include this, so a change to the record set itself
// recompiles only the files that read one.
class RecordSet;
using RecordSetPtr = std::shared_ptr<RecordSet>;

} // namespace asv
