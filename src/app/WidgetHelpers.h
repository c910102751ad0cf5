#pragma once

#include "HCText.h"
#include "Setting.h"

#include <QCheckBox>

#include <QFormLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

namespace asv {

// A button of the app's windows: named for tests and other parts; Enter stays with the fields.
inline QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// A label of the app's windows, named for tests and other parts.
inline QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A check box that shows a per-PC setting and keeps every click in it.
inline QCheckBox* SettingCheckBox(QWidget* parent, const QString& name, const QString& caption,
                                  const Setting<bool>& setting)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(setting.get());
    QObject::connect(box, &QCheckBox::clicked, parent, [&setting](bool on) { setting.set(on); });
    return box;
}

// One typed field of an editor, limited in code-page bytes as its column.
struct TextFieldDef {
    QString name;
    QString label;
    int bytes;
    int kind;
};

inline HCText* NamedTextField(QWidget* parent, const TextFieldDef& def)
{
    auto* f = new HCText(parent);
    f->setObjectName(def.name);
    f->setByteLimit(def.bytes);
    f->setAcceptType(def.kind);
    return f;
}

// A form row of a field with a control beside it (a check box, a button).
inline void AddFieldRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* beside)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(beside);
    form->addRow(label, row);
}

// An editor's layout: the form, and below it save and close at the right, with the "continue
// adding" check box (or nothing) at the left.
inline void LayOutEditor(QWidget* editor, QLayout* form, QWidget* left, QPushButton* save, QPushButton* close)
{
    auto* buttons = new QHBoxLayout;
    if (left)
        buttons->addWidget(left);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(editor);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

} // namespace asv
