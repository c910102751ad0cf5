#pragma once

#include "Pick.h"
#include "RecordEditor.h"

#include <QString>
#include <QWidget>
#include <functional>

namespace asv {

// How the record editors are opened. From a list: over the window that asked, blocking only it,
// deleting itself on close; sync is told the code after every save, for the opener's refresh.
template <class Editor>
Editor* OpenEditorOver(QWidget* opener, int mode, const QString& code,
                       std::function<void(const QString& code)> sync = {})
{
    auto* editor = new Editor(opener);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::WindowModal);
    if (sync)
        QObject::connect(editor, &RecordEditor::saved, editor,
                         [sync = std::move(sync)](int, const QString& saved) { sync(saved); });
    editor->SetFormMode(mode, code);
    editor->show();
    return editor;
}

// From a code-entry field, for text nothing was found for: the caller waits for the new record,
// or an empty pick when none was saved.
template <class Editor>
Pick RegisterWithEditor(QWidget* parent, const QString& name)
{
    Editor editor(parent);
    editor.forOneRecord();
    editor.SetFormMode(Editor::NewRecord, name);
    editor.exec();
    return editor.AddedRec();
}

} // namespace asv
