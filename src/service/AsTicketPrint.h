#pragma once

class QCheckBox;
class QWidget;

namespace asv {

// What the AS windows do with tickets: show one for printing, and the remembered tick that prints
// one after each new reception.
class AsTicketPrint {
public:
    // The ticket of the job in the print preview; says so when there is no such job.
    static void preview(QWidget* parent, int job);
    // "접수증 인쇄", ticked as it was left.
    static QCheckBox* tick(QWidget* parent);
};

} // namespace asv
