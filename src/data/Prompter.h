#pragma once

#include "MsgAnswer.h"

#include <QString>
#include <optional>

namespace asv {

// Every message, question and notice reaches the operator through the installed Prompter: message
// boxes on screen, a scripted answerer in tests.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual void info(const QString& text, const QString& title) = 0;
    virtual void warn(const QString& text, const QString& title) = 0;
    virtual MsgAnswer yesNo(const QString& text, const QString& title, bool defaultYes) = 0;
    virtual MsgAnswer yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton) = 0;
    // nullopt when the operator cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial) = 0;
    // The floating notice that disappears by itself.
    virtual void notice(const QString& text, int milliseconds) = 0;
    // The standard error box of a failed procedure or statement.
    virtual void error(const QString& text, const QString& title) = 0;

    static Prompter& current();
    // Takes no ownership; nullptr goes back to the standard one.
    static void install(Prompter* prompter);
    // The one used while none is installed: the message boxes of the program. Without it the
    // texts go to the terminal.
    static void setStandard(Prompter* prompter);
};

} // namespace asv
