#include "ConsolePrompter.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace asv {

namespace {
void print(const QString& text)
{
    QString t = text;
    std::fprintf(stderr, "%s\n", t.replace(u"\r\n"_s, u"\n"_s).toLocal8Bit().constData());
}
} // namespace

void ConsolePrompter::info(const QString& text, const QString&)
{
    print(text);
}

void ConsolePrompter::warn(const QString& text, const QString&)
{
    print(text);
}

MsgAnswer ConsolePrompter::yesNo(const QString& text, const QString&, bool)
{
    print(text);
    return m_answer;
}

MsgAnswer ConsolePrompter::yesNoCancel(const QString& text, const QString&, MsgAnswer)
{
    print(text);
    return m_answer;
}

std::optional<QString> ConsolePrompter::input(const QString& prompt, const QString&, const QString&)
{
    print(prompt);
    return std::nullopt;
}

void ConsolePrompter::notice(const QString&, int)
{
}

void ConsolePrompter::error(const QString& text, const QString&)
{
    print(text);
}

} // namespace asv
