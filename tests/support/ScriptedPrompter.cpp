#include "ScriptedPrompter.h"

#include <algorithm>

namespace asv::test {

QStringList ScriptedPrompter::texts(std::optional<Kind> kind) const
{
    QStringList out;
    for (const auto& m : m_messages) {
        if (!kind || m.kind == *kind)
            out << m.text;
    }
    return out;
}

bool ScriptedPrompter::saw(const QString& fragment) const
{
    return std::any_of(m_messages.cbegin(), m_messages.cend(), [&](const Message& m) { return m.text.contains(fragment); });
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
    return a.isNull() ? std::nullopt : std::optional(a);
}

} // namespace asv::test
