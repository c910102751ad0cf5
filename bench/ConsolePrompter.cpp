#include "ConsolePrompter.h"

#include <cstdio>

namespace asv {

namespace {

void print(const QString& title, const QString& text)
{
    // Long statements in error texts would flood the terminal.
    std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(text.left(2000)));
}

} // namespace

void ConsolePrompter::info(const QString& text, const QString& title)
{
    print(title, text);
}

void ConsolePrompter::warn(const QString& text, const QString& title)
{
    print(title, text);
}

MsgAnswer ConsolePrompter::yesNo(const QString& text, const QString& title, bool defaultYes)
{
    print(title, text);
    return defaultYes ? MsgAnswer::Yes : MsgAnswer::No;
}

MsgAnswer ConsolePrompter::yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton)
{
    print(title, text);
    return defaultButton;
}

std::optional<QString> ConsolePrompter::input(const QString& prompt, const QString& title, const QString&)
{
    print(title, prompt);
    return std::nullopt;
}

void ConsolePrompter::notice(const QString&, int)
{
}

void ConsolePrompter::error(const QString& text, const QString& title)
{
    print(title, text);
}

} // namespace asv
