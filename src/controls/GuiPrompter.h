#pragma once

#include "Prompter.h"

#include <QString>

namespace asv {

// Message boxes on screen; the focus goes back where it was once a box is answered.
class GuiPrompter : public Prompter {
public:
    void info(const QString& text, const QString& title) override;
    void warn(const QString& text, const QString& title) override;
    MsgAnswer yesNo(const QString& text, const QString& title, bool defaultYes) override;
    MsgAnswer yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial) override;
    void notice(const QString& text, int milliseconds) override;
    void error(const QString& text, const QString& title) override;

    static QString yesCaption() { return QStringLiteral("예"); }
    static QString noCaption() { return QStringLiteral("아니오"); }
    static QString cancelCaption() { return QStringLiteral("취소"); }
    static QString okCaption() { return QStringLiteral("확인"); }
};

} // namespace asv
