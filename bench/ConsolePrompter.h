#pragma once

#include "Prompter.h"

namespace asv {

// Messages of the benchmark programs go to the terminal; questions get their default answer.
class ConsolePrompter : public Prompter {
public:
    void info(const QString& text, const QString& title) override;
    void warn(const QString& text, const QString& title) override;
    MsgAnswer yesNo(const QString& text, const QString& title, bool defaultYes) override;
    MsgAnswer yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial) override;
    void notice(const QString& text, int milliseconds) override;
    void error(const QString& text, const QString& title) override;
};

} // namespace asv
