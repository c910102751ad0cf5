#pragma once

#include "MsgAnswer.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

namespace asv {

// The system's line break inside message texts.
inline const QString vbCrLf = QStringLiteral("\r\n");

// An empty title becomes the application title.
void MsgInfo(const QString& text, const QString& title = {});
void MsgWarn(const QString& text, const QString& title = {});
MsgAnswer MsgYesNo(const QString& text, const QString& title = {}, bool defaultYes = false);
MsgAnswer MsgYesNoCancel(const QString& text, const QString& title = {},
                         MsgAnswer defaultButton = MsgAnswer::Yes);
std::optional<QString> InputBox(const QString& prompt, const QString& title = {}, const QString& initial = {});
// The floating notice, 500 ms unless told otherwise.
void ShowNotice(const QString& text, int milliseconds = 500);
void ShowSaved();

// "%0", "%1", ... replaced by args in index order, every occurrence.
QString FormatMsg(const QString& templ, const QStringList& args);

// "Error <n> (<description>) in procedure <procedure> of <Form|Module> <owner>"
QString StdErrorText(long number, const QString& description, const QString& procedure,
                     const QString& ownerKind, const QString& owner);
// Shows the standard error box for what a procedure caught.
void ShowStdError(const std::exception& e, const QString& procedure, const QString& ownerKind,
                  const QString& owner);

// Runs body; on any failure shows the standard error box and returns fallback.
template <typename T, typename F>
T Guarded(const QString& procedure, const QString& ownerKind, const QString& owner, T fallback, F&& body)
{
    try {
        return body();
    } catch (const std::exception& e) {
        ShowStdError(e, procedure, ownerKind, owner);
        return fallback;
    }
}

} // namespace asv
