#pragma once

class QWidget;

namespace asv {

class frmAS_admin4;

// The consult desk as the operator gets it: the window with its UDP relay, colleagues and the
// caller's history panes joined to it.
frmAS_admin4* CreateConsultDesk(QWidget* parent);

} // namespace asv
