#pragma once

#include "Paths.h"

#include <QList>
#include <QString>

class QWidget;

namespace asv {

class Grid;

// Window and list layouts in "<program folder>/FormIni/<form>.ini".

// The window a control belongs to: the screen inside its MDI frame, or the top-level window.
QWidget* FormOf(const QWidget* control);
// A form's file name part: its objectName, else its class name.
QString FormName(const QWidget* form);

// Applies the saved position (and size when withSize) and the layout of every named Grid on the
// form. Missing or non-numeric keys leave the designed value.
void LoadFormIni(QWidget* form, bool withSize = true);
// On closing: the position and every named Grid's layout.
void SaveFormIni(const QWidget* form);
// The position, size and state alone: the main window keeps them for the screens inside it,
// whose frame exists only once the screen is in place.
void LoadFormPosition(QWidget* form, bool withSize = true);
void SaveFormPosition(const QWidget* form);
void SaveSpreadIni_Gn(const Grid& list);
void DelFormIni(const QString& formName);
// Marks which columns are printed (one flag per column) and stores the choice.
void SetSpreadRPTCol(Grid& list, const QList<bool>& printed);

} // namespace asv
