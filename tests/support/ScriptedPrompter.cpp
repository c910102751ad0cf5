#include "ScriptedPrompter.h"

namespace asv::test {

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const auto& m : m_messages)
        out << m.text;
    return out;
}

QStringList ScriptedPrompter::texts(Kind kind) const
{
    QStringList out;
    for (const auto& m : m_messages) {
        if (m.kind == kind)
            out << m.text;
    }
    return out;
}

bool ScriptedPrompter::saw(const QString& fragment) const
{
    for (const auto& m : m_messages) {
        if (m.text.contains(fragment))
            return true;
    }
    return false;
}

MsgAnswer ScriptedPrompter::next(MsgAnswer fallback, MsgAnswer byDefault)
{
    if (m_answers.empty()) {
        ++m_unanswered;
        return fallback;
    }
    const auto a = std::move(m_answers.front());
    m_answers.pop_front();
    return a(byDefault);
}

void ScriptedPrompter::info(const QString& text, const QString& title)
{
    m_messages.append({Kind::Info, text, title});
}

void ScriptedPrompter::warn(const QString& text, const QString& title)
{
    m_messages.append({Kind::Warn, text, title});
}

MsgAnswer ScriptedPrompter::yesNo(const QString& text, const QString& title, bool defaultYes)
{
    m_messages.append({Kind::YesNo, text, title});
    return next(MsgAnswer::No, defaultYes ? MsgAnswer::Yes : MsgAnswer::No);
}

MsgAnswer ScriptedPrompter::yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton)
{
    m_messages.append({Kind::YesNoCancel, text, title});
    return next(MsgAnswer::Cancel, defaultButton);
}

std::optional<QString> ScriptedPrompter::input(const QString& prompt, const QString& title, const QString&)
{
    m_messages.append({Kind::Input, prompt, title});
    if (m_inputs.empty()) {
        ++m_unanswered;
        return std::nullopt;
    }
    const QString a = m_inputs.front();
    m_inputs.pop_front();
    if (a.isNull())
        return std::nullopt;
    return a;
}

void ScriptedPrompter::notice(const QString& text, int)
{
    m_messages.append({Kind::Notice, text, {}});
}

void ScriptedPrompter::error(const QString& text, const QString& title)
{
    m_messages.append({Kind::Error, text, title});
}

} // namespace asv::test
