#pragma once

#include "Prompter.h"

namespace asv {

// Messages of the shared procedures on the terminal, for the command-line tools; questions are answered with the default
// answer given at construction, as the command line has nobody to ask.
class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(MsgAnswer answer) : m_answer(answer) { Prompter::install(this); }
    ~ConsolePrompter() override { Prompter::install(nullptr); }

    void info(const QString& text, const QString& title) override;
    void warn(const QString& text, const QString& title) override;
    MsgAnswer yesNo(const QString& text, const QString& title, bool defaultYes) override;
    MsgAnswer yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial) override;
    void notice(const QString& text, int milliseconds) override;
    void error(const QString& text, const QString& title) override;

private:
    MsgAnswer m_answer;
};

} // namespace asv
