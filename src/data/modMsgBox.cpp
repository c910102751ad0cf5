#include "modMsgBox.h"

#include "AppError.h"
#include "ReportedDbError.h"
#include "UserSettings.h"
#include "Prompter.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString titleOr(const QString& title)
{
    return title.isEmpty() ? UserSettings::appTitle() : title;
}

} // namespace

void MsgInfo(const QString& text, const QString& title)
{
    Prompter::current().info(text, titleOr(title));
}

void MsgWarn(const QString& text, const QString& title)
{
    Prompter::current().warn(text, titleOr(title));
}

MsgAnswer MsgYesNo(const QString& text, const QString& title, bool defaultYes)
{
    return Prompter::current().yesNo(text, titleOr(title), defaultYes);
}

MsgAnswer MsgYesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton)
{
    return Prompter::current().yesNoCancel(text, titleOr(title), defaultButton);
}

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& initial)
{
    return Prompter::current().input(prompt, titleOr(title), initial);
}

void ShowNotice(const QString& text, int milliseconds)
{
    Prompter::current().notice(text, milliseconds);
}

void ShowSaved()
{
    ShowNotice(u"자료가 저장되었습니다."_s);
}

QString FormatMsg(const QString& templ, const QStringList& args)
{
    QString out = templ;
    for (int i = 0; i < args.size(); ++i)
        out.replace(u'%' + QString::number(i), args[i]);
    return out;
}

QString StdErrorText(long number, const QString& description, const QString& procedure,
                     const QString& ownerKind, const QString& owner)
{
    return u"Error %1 (%2) in procedure %3 of %4 %5"_s.arg(QString::number(number), description, procedure,
                                                             ownerKind, owner);
}

void ShowStdError(const std::exception& e, const QString& procedure, const QString& ownerKind,
                  const QString& owner)
{
    long number = 0;
    QString description;
    if (const auto* app = dynamic_cast<const AppError*>(&e)) {
        number = app->number();
        description = app->description();
    } else {
        description = QString::fromLocal8Bit(e.what());
    }
    if (dynamic_cast<const ReportedDbError*>(&e))
        return;
    Prompter::current().error(StdErrorText(number, description, procedure, ownerKind, owner),
                              UserSettings::appTitle());
}

} // namespace asv
