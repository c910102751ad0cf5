#include "GuiPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Gives the focus back to the control that had it before the box; a control gone meanwhile is skipped.
// Its window is activated too: without a window manager nothing else would, and the keys the
// operator types next would reach no window at all.
class FocusKeeper {
public:
    FocusKeeper() : m_widget(QApplication::focusWidget()) {}
    ~FocusKeeper()
    {
        if (m_widget && m_widget->isVisible()) {
            m_widget->activateWindow();
            m_widget->setFocus();
        }
    }

private:
    QPointer<QWidget> m_widget;
};

// Texts carry CR-LF line breaks as the stored messages do; a label wants plain LF.
QString shown(const QString& text)
{
    QString t = text;
    return t.replace(u"\r\n"_s, u"\n"_s);
}

// The operator reads Korean captions even where Qt's own translation is not installed.
void captionButtons(QMessageBox& box)
{
    const QList<std::pair<QMessageBox::StandardButton, QString>> captions{
        {QMessageBox::Yes, GuiPrompter::yesCaption()},
        {QMessageBox::No, GuiPrompter::noCaption()},
        {QMessageBox::Cancel, GuiPrompter::cancelCaption()},
        {QMessageBox::Ok, GuiPrompter::okCaption()}};
    for (const auto& [button, caption] : captions) {
        if (QAbstractButton* b = box.button(button))
            b->setText(caption);
    }
}

QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& text, const QString& title,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def)
{
    FocusKeeper keep;
    QMessageBox box(icon, title, shown(text), buttons, QApplication::activeWindow());
    captionButtons(box);
    box.setDefaultButton(def);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton buttonOf(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Ok: return QMessageBox::Ok;
    }
    return QMessageBox::NoButton;
}

MsgAnswer answerOf(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: return MsgAnswer::Cancel;
    }
}

} // namespace

void GuiPrompter::info(const QString& text, const QString& title)
{
    ask(QMessageBox::Information, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

void GuiPrompter::warn(const QString& text, const QString& title)
{
    ask(QMessageBox::Warning, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

MsgAnswer GuiPrompter::yesNo(const QString& text, const QString& title, bool defaultYes)
{
    return answerOf(ask(QMessageBox::Question, text, title, QMessageBox::Yes | QMessageBox::No,
                        defaultYes ? QMessageBox::Yes : QMessageBox::No));
}

MsgAnswer GuiPrompter::yesNoCancel(const QString& text, const QString& title, MsgAnswer defaultButton)
{
    return answerOf(ask(QMessageBox::Question, text, title,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, buttonOf(defaultButton)));
}

std::optional<QString> GuiPrompter::input(const QString& prompt, const QString& title, const QString& initial)
{
    FocusKeeper keep;
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(shown(prompt));
    dialog.setTextValue(initial);
    dialog.setOkButtonText(okCaption());
    dialog.setCancelButtonText(cancelCaption());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void GuiPrompter::notice(const QString& text, int milliseconds)
{
    auto* label = new QLabel(shown(text), QApplication::activeWindow(),
                             Qt::ToolTip | Qt::FramelessWindowHint);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setMargin(16);
    label->setStyleSheet(u"QLabel { background: #fffbe0; border: 1px solid #b0a060; font-size: 11pt; }"_s);
    label->adjustSize();
    if (QWidget* parent = label->parentWidget()) {
        const QPoint centre = parent->mapToGlobal(parent->rect().center());
        label->move(centre - label->rect().center());
    }
    label->show();
    QTimer::singleShot(milliseconds, label, &QLabel::close);
}

void GuiPrompter::error(const QString& text, const QString& title)
{
    ask(QMessageBox::Critical, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace asv
