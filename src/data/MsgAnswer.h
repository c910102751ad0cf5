#pragma once

namespace asv {

// What the operator answered to a message or question.
enum class MsgAnswer { Ok, Yes, No, Cancel };

} // namespace asv
