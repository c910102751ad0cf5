#pragma once

#include <QString>
#include <QWidget>

namespace asv {

// How the record editors (users, customers, products) are opened. From a list: over the window
// that asked, blocking only it, deleting itself on close; prepare runs before the record is shown.
template <class Editor, class Prepare>
Editor* OpenEditorOver(QWidget* opener, int mode, const QString& code, Prepare prepare)
{
    auto* editor = new Editor(opener);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::WindowModal);
    prepare(*editor);
    editor->SetFormMode(mode, code);
    editor->show();
    return editor;
}

// From a code-entry field, for text nothing was found for: the caller waits for the new record,
// "code" NUL "name", or "" when none was saved.
template <class Editor>
QString RegisterWithEditor(QWidget* parent, const QString& name)
{
    Editor editor(parent);
    editor.SetFormMode(Editor::NewRecord, name);
    editor.exec();
    return editor.AddedRec();
}

} // namespace asv
