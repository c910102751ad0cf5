#pragma once

#include "HCText.h"

#include <QPushButton>
#include <QString>

namespace asv {

// A button of the app's windows: named for tests and other parts; Enter stays with the fields.
inline QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
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

} // namespace asv
