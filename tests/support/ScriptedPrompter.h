#pragma once

#include "Prompter.h"
#include "QtPrinters.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

namespace asv::test {

// Records every message and answers questions from a queue; an unanswered question is No
// (Cancel for three-way questions) and is counted so a test can notice it.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Info, Warn, YesNo, YesNoCancel, Input, Notice, Error };
    struct Message {
        Kind kind;
        QString text;
        QString title;
    };

    ScriptedPrompter() { Prompter::install(this); }
    ~ScriptedPrompter() override { Prompter::install(nullptr); }

    void answer(MsgAnswer a) { m_answers.push_back([a](MsgAnswer) { return a; }); }
    // Enter on the question: its default button.
    void pressEnter() { m_answers.push_back([](MsgAnswer byDefault) { return byDefault; }); }
    // Answers after doing something, as an operator who waits while another desk acts.
    void answerAfter(std::function<void()> meanwhile, MsgAnswer a)
    {
        m_answers.push_back([meanwhile = std::move(meanwhile), a](MsgAnswer) {
            meanwhile();
            return a;
        });
    }
    // A null QString answers as Cancel.
    void answerInput(const QString& text) { m_inputs.push_back(text); }

    const QList<Message>& messages() const { return m_messages; }
    // All texts, or those of one kind.
    QStringList texts(std::optional<Kind> kind = std::nullopt) const;
    int count(Kind kind) const { return static_cast<int>(texts(kind).size()); }
    bool saw(const QString& fragment) const;
    int unanswered() const { return m_unanswered; }
    void clear() { m_messages.clear(); }

    void info(const QString& text, const QString& title) override { m_messages.append({Kind::Info, text, title}); }
    void warn(const QString& text, const QString& title) override { m_messages.append({Kind::Warn, text, title}); }
    MsgAnswer yesNo(const QString& text, const QString& title, bool defaultYes) override;
    MsgAnswer yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial) override;
    void notice(const QString& text, int) override { m_messages.append({Kind::Notice, text, {}}); }
    void error(const QString& text, const QString& title) override { m_messages.append({Kind::Error, text, title}); }

private:
    // The queued answer; unanswered, fallback. byDefault is the question's default button.
    MsgAnswer next(MsgAnswer fallback, MsgAnswer byDefault);

    QList<Message> m_messages;
    std::deque<std::function<MsgAnswer(MsgAnswer byDefault)>> m_answers;
    std::deque<QString> m_inputs;
    int m_unanswered = 0;
};

} // namespace asv::test
