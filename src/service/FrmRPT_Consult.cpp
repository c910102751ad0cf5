#include "FrmRPT_Consult.h"

#include "Clock.h"
#include "ConfigKeys.h"
#include "ConsultReportStore.h"
#include "Grid.h"
#include "HCTerm.h"
#include "StoreSql.h"
#include "UserSettings.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_Consult"_s;
const QString kFromKey = u"RPT상담기간1"_s;
const QString kToKey = u"RPT상담기간2"_s;

// The joined names follow the call's own columns; two of them share the label "name".
constexpr int kJoinedNames = 4;

GridModel::ValueFunction joined(int fromEnd)
{
    return [fromEnd](const RecordSet& rs, int row) { return rs.value(row, rs.fieldCount() - kJoinedNames + fromEnd); };
}

} // namespace

FrmRPT_Consult::FrmRPT_Consult(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"수신 및 상담 내역"_s, u"A/S 리스트"_s, u"수신 및 상담기간:"_s),
      m_optAll(new QRadioButton(u"수신 기준"_s, this)), m_optConsulted(new QRadioButton(u"상담 기준"_s, this))
{
    setPeriodCaption(u"기간:"_s);
    m_optAll->setObjectName(u"optList(0)"_s);
    m_optConsulted->setObjectName(u"optList(1)"_s);
    m_optAll->setChecked(true);
    QHBoxLayout* first = filterRow();
    first->insertWidget(0, m_optAll);
    first->insertWidget(1, m_optConsulted);

    m_searches = addFilterRow();
    m_custom = addSearch(u"고객관련(상호/고객명, 약칭, 전화번호)"_s, u"cboChCustom"_s, u"txtCustom"_s,
                         ConsultReportStore::customerFields());
    m_product = addSearch(u"상품관련(상품분류, 상품명)"_s, u"choChProduct"_s, u"txtProduct"_s,
                          ConsultReportStore::productFields());
    m_consult = addSearch(u"상담관련(상담자, 상태, 상담분류, 문의내용, 상담내용)"_s, u"cboChConsult"_s,
                          u"txtConsult"_s, ConsultReportStore::consultationFields());

    QPushButton* remove = NamedButton(this, u"btnRecDel"_s, u"삭제"_s);
    addButtons({remove});
    connect(remove, &QPushButton::clicked, this, &FrmRPT_Consult::deleteSelected);

    Grid* grid = list();
    grid->setColumns({u"상담코드"_s, u"상담일자"_s, u"시간"_s, u"상호/고객명"_s, u"전화번호"_s, u"상태"_s, u"상담자"_s,
                      u"상품분류"_s, u"상품코드"_s, u"상품명"_s, u"상담분류"_s, u"문의내용"_s, u"상담내용"_s,
                      u"수정일자"_s, u"시간"_s});
    GridModel& cells = grid->cells();
    const QList<std::pair<int, QString>> fields = {
        {ColCode, u"code"_s},           {ColDate, u"condate"_s},       {ColTime, u"contime"_s},
        {ColName, u"cname"_s},          {ColTelNo, u"ctelno"_s},       {ColProductCode, u"pcode"_s},
        {ColEnquiry, u"refernote"_s},   {ColAnswer, u"connote"_s},     {ColEditDate, u"editdate"_s},
        {ColEditTime, u"edittime"_s}};
    for (const auto& [col, label] : fields)
        cells.bindColumn(col, label);
    cells.bindColumn(ColState, [](const RecordSet& rs, int row) {
        return ConsultReportStore::stateName(rs.value(row, u"state"_s));
    });
    cells.bindColumn(ColClass, joined(0));
    cells.bindColumn(ColConsultant, joined(1));
    cells.bindColumn(ColProductClass, joined(2));
    cells.bindColumn(ColProductName, joined(3));

    period()->SetText1(UserSettings::get(ConfigKeys::kConfig, kFromKey, u"2000-01-01"_s));
    period()->SetText2(
        UserSettings::get(ConfigKeys::kConfig, kToKey, Clock::today().toString(u"yyyy-MM-dd"_s)));
    finishLayout();
    query();
}

FrmRPT_Consult::SearchBox FrmRPT_Consult::addSearch(const QString& caption, const QString& fieldName,
                                                    const QString& textName, const QStringList& fields)
{
    auto* box = new QGroupBox(caption, this);
    auto* row = new QHBoxLayout(box);
    SearchBox search{new QComboBox(box), new QLineEdit(box)};
    search.field->setObjectName(fieldName);
    search.field->addItems(fields);
    search.text->setObjectName(textName);
    row->addWidget(search.field);
    row->addWidget(search.text, 1);
    connect(search.text, &QLineEdit::returnPressed, this, &FrmRPT_Consult::query);
    m_searches->addWidget(box);
    return search;
}

void FrmRPT_Consult::query()
{
    const auto searchOf = [](const SearchBox& box) {
        return ConsultReportStore::Search{box.field->currentText(), box.text->text()};
    };
    ConsultReportStore::Filter filter;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.consultationsOnly = m_optConsulted->isChecked();
    filter.customer = searchOf(m_custom);
    filter.product = searchOf(m_product);
    filter.consultation = searchOf(m_consult);
    const RecordSetPtr rs = Guarded(u"btnQuery_Click"_s, u"Form"_s, kForm, RecordSetPtr(),
                                    [&] { return ConsultReportStore().list(filter); });
    list()->cells().setRecordSet(rs ? rs : std::make_shared<RecordSet>());
    if (list()->rowCount() == 0)
        MsgInfo(u"검색된 자료가 존재하지 않습니다."_s);
}

void FrmRPT_Consult::deleteSelected()
{
    Grid* grid = list();
    const int row = grid->activeRow();
    const int code = row >= 0 ? grid->text(row, ColCode).toInt() : 0;
    if (code == 0) {
        MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
        return;
    }
    if (MsgYesNo(u"정말 %1번 자료를 삭제하시겠습니까?"_s.arg(code), u"상담 내역"_s) != MsgAnswer::Yes)
        return;
    if (ConsultReportStore().remove(code))
        grid->cells().removeRows(row, 1);
    else
        StoreSql::warnNotDeleted();
}

void FrmRPT_Consult::closeEvent(QCloseEvent* event)
{
    UserSettings::set(ConfigKeys::kConfig, kFromKey, period()->Text1());
    UserSettings::set(ConfigKeys::kConfig, kToKey, period()->Text2());
    PeriodListWindow::closeEvent(event);
}

} // namespace asv
