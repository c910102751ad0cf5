#include "FrmCust_sel.h"

#include "AppState.h"
#include "ConfigKeys.h"
#include "CustomerOrderBox.h"
#include "CustomerPickReceiver.h"
#include "CustomerSearch.h"
#include "FindBar.h"
#include "FrmCust_save.h"
#include "Grid.h"
#include "PickerRegistry.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QHBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const int kDefaultKey = 1; // 상호
// A code-entry field's text: the code, else part of the name or the short name; digits reach the
// telephone numbers by themselves.
const PickerDialog::EntrySearch kEntrySearch{u"c.code"_s, u"c.compname,c.compalias"_s, u"*s*"_s, {}};

enum Column { ColCode, ColName, ColAlias, ColCeo, ColCharge, ColTelNo, ColAddress, ColBigo, ColModel, ColSerial };

} // namespace

FrmCust_sel::FrmCust_sel(QWidget* parent)
    : PickerDialog(parent, u"FrmCust_sel"_s, u"고객 검색"_s, CustomerSearch::pickerKeys(), kDefaultKey, kEntrySearch),
      m_cmbOrderBy(new CustomerOrderBox(this, findBar())), m_chkViewCName(new QCheckBox(u"상호명보기"_s, this)),
      m_tamber(App().isTamber())
{
    m_chkViewCName->setObjectName(u"chkViewCName"_s);
    m_chkViewCName->setChecked(ConfigKeys::CustomerPickerShowsNames.get());

    QStringList captions{u"코드"_s, u"상호"_s, u"약칭"_s, u"대표자"_s, u"담당자"_s, u"전화번호"_s, u"주소"_s, u"메모"_s};
    if (m_tamber)
        captions << u"모델명"_s << u"S/N"_s;
    list()->setColumns(captions);
    GridModel& cells = list()->cells();
    // The code is what the pick returns, not something the operator looks for.
    cells.bindColumn(ColCode, u"code"_s);
    list()->setColumnInitHidden(ColCode, true);
    // Offices that file customers by short name see it first; without one the name stands in.
    cells.bindColumn(ColName, [this](const RecordSet& rs, int row) {
        const QString alias = rs.value(row, u"compalias"_s);
        return m_chkViewCName->isChecked() || alias.isEmpty() ? rs.value(row, u"compname"_s) : alias;
    });
    cells.bindColumn(ColAlias, u"compalias"_s);
    cells.bindColumn(ColCeo, u"ceoname"_s);
    cells.bindColumn(ColCharge, u"rname"_s);
    cells.bindColumn(ColTelNo, u"telno1"_s);
    cells.bindColumn(ColAddress, [](const RecordSet& rs, int row) {
        return rs.value(row, u"addr1"_s) + u' ' + rs.value(row, u"addr2"_s);
    });
    cells.bindColumn(ColBigo, u"bigo"_s);
    if (m_tamber) {
        cells.bindColumn(ColModel, u"modelname"_s);
        cells.bindColumn(ColSerial, u"serialnumber"_s);
    }

    findBar()->row()->addWidget(m_cmbOrderBy);
    searchList().buttonRow()->addWidget(m_chkViewCName);
    searchList().addRecordLimit();
    // A list that shows nothing yet is not read for a new order.
    connect(m_cmbOrderBy, &CustomerOrderBox::orderChosen, this, [this] {
        if (list()->rowCount() > 0)
            search();
    });
    connect(m_chkViewCName, &QCheckBox::toggled, this, &FrmCust_sel::viewNameToggled);
    finishLayout();
}

void FrmCust_sel::viewNameToggled(bool on)
{
    ConfigKeys::CustomerPickerShowsNames.set(on);
    list()->viewport()->update();
}

void FrmCust_sel::fill()
{
    CustomerSearch::Query query = m_cmbOrderBy->query();
    query.extraCondition = extraCondition();
    query.limitClause = searchList().limitClause();
    query.tamber = m_tamber;
    RecordSetPtr rs;
    DBOpenRS(rs, CustomerSearch::pickerSql(query));
    list()->cells().setRecordSet(rs);
}

Pick FrmCust_sel::pickOf(int row) const
{
    const RecordSetPtr rs = list()->cells().recordSet();
    const int source = list()->cells().sourceRow(row);
    return {list()->text(row, ColCode), rs && source >= 0 ? rs->value(source, u"compname"_s) : QString()};
}

bool FrmCust_sel::handOver(const Pick& pick)
{
    auto* receiver = dynamic_cast<CustomerPickReceiver*>(m_calledForm.data());
    if (receiver)
        receiver->ShowPickedCustomer(pick.code);
    return receiver != nullptr;
}

void FrmCust_sel::SyncUpdateCust(const QString& code)
{
    refreshAfterSave(code);
}

void FrmCust_sel::openEditor(int mode, const QString& code)
{
    FrmCust_save::openOver(this, mode, code, [this](const QString& saved) { SyncUpdateCust(saved); });
}

void FrmCust_sel::registerPicker()
{
    // The editor's registration of the kind stays as it is.
    PickerRegistry::registerKind(
        kFindKindCust, [](QWidget* parent) { return std::make_unique<FrmCust_sel>(parent); }, {});
}

} // namespace asv
