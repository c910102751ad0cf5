#include "AsJobScanBox.h"

#include "AsJobWindows.h"
#include "Grid.h"
#include "StoreSql.h"
#include "modBarCode.h"
#include "modMsgBox.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

AsJobScanBox::AsJobScanBox(QWidget* ledger, Grid* list, std::function<int(int row)> jobAt)
    : QLineEdit(ledger), m_ledger(ledger), m_list(list), m_jobAt(std::move(jobAt))
{
    setObjectName(u"txtFindAS"_s);
    setPlaceholderText(u"AS번호/접수증 스캔"_s);
    setMaxLength(20);
    connect(this, &QLineEdit::returnPressed, this, [this] {
        openJob(text());
        // Ready for the next ticket.
        clear();
        setFocus();
    });
}

bool AsJobScanBox::openJob(const QString& typed)
{
    const QString text = ConvBarCode(typed.trimmed());
    bool ok = false;
    const int job = text.toInt(&ok);
    if (!ok || job <= 0) {
        MsgInfo(u"AS번호를 숫자로 입력하세요."_s);
        return false;
    }
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_jobAt(row) != job)
            continue;
        // Shown in the list: its row becomes the active one, which the ledger rewrites after a save.
        m_list->setCurrentIndex(m_list->model()->index(row, 0));
        if (const AsJobWindows::Reception& open = AsJobWindows::reception())
            open(m_ledger, 2, job);
        return true;
    }
    const bool exists = Guarded(u"openJob"_s, u"Form"_s, objectName(), false, [&] {
        const RecordSetPtr rs = StoreSql(nullptr, u"AsJobScanBox"_s).read(u"SELECT code FROM aslist_m WHERE code = "_s + QString::number(job), u"openJob"_s);
        return rs->rowCount() > 0;
    });
    if (!exists) {
        MsgInfo(u"AS번호 『%1』의 접수자료를 찾을 수 없습니다."_s.arg(job));
        return false;
    }
    // Outside the listed period: no row of the list stands for it, so nothing there is rewritten.
    if (const AsJobWindows::Reception& open = AsJobWindows::reception())
        open(this, 2, job);
    return true;
}

} // namespace asv
