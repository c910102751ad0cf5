#include "AsTicketPrint.h"

#include "AsTicket.h"
#include "DocumentPrinter.h"
#include "Setting.h"
#include "modMsgBox.h"

#include <QCheckBox>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const Setting<bool> kPrintOnSave{u"Config"_s, u"AS접수증인쇄"_s, false};

} // namespace

void AsTicketPrint::preview(QWidget* parent, int job)
{
    if (job <= 0) {
        MsgInfo(u"먼저 그리드에서 접수증을 인쇄할 자료를 선택하세요."_s);
        return;
    }
    // A job number of 0 stands for a failed read, which the error box has reported already.
    const std::optional<AsTicket::Job> found = Guarded(u"preview"_s, u"Module"_s, u"AsTicketPrint"_s,
                                                       std::optional<AsTicket::Job>(AsTicket::Job{}),
                                                       [&] { return AsTicket::load(job); });
    if (found && found->code == 0)
        return;
    if (!found) {
        MsgInfo(u"AS번호 『%1』의 접수자료를 찾을 수 없습니다."_s.arg(job));
        return;
    }
    AsTicket ticket(*found);
    DocumentPrinter(ticket, u"AS접수증"_s, u"A/S 접수증"_s, AsTicket::defaultPageLayout()).preview(parent);
}

QCheckBox* AsTicketPrint::tick(QWidget* parent)
{
    auto* box = new QCheckBox(u"저장 후 접수증 인쇄"_s, parent);
    box->setObjectName(u"chkPrintTicket"_s);
    box->setChecked(kPrintOnSave.get());
    QObject::connect(box, &QCheckBox::toggled, box, [](bool on) { kPrintOnSave.set(on); });
    return box;
}

} // namespace asv
