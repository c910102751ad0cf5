#pragma once

#include <QCheckBox>
#include <QLineEdit>

namespace asv {

// The named plain fields of the mail screens; tests and the screens find them by name.
inline QLineEdit* NamedLine(QWidget* parent, const QString& name)
{
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    return line;
}

inline QCheckBox* NamedCheck(QWidget* parent, const QString& name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace asv
