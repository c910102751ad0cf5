#include "FrmAS_SubAS.h"

#include "Grid.h"
#include "HistoryDetailForm.h"
#include "HistoryStore.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmAS_SubAS"_s;

enum LineCol { ColType1, ColType2, ColAmount, ColFree, ColBigo };

} // namespace

FrmAS_SubAS::FrmAS_SubAS(QWidget* parent)
    : QDialog(parent),
      m_form(std::make_unique<HistoryDetailForm>(
          this, QList<HistoryDetailForm::Field>{
                    {u"txtCust"_s, u"고 객 명"_s, {}},
                    {u"txtDealDate"_s, u"접수일자"_s, u"dealdate"_s},
                    {u"txtDealTime"_s, u"접수시간"_s, u"dealtime"_s},
                    {u"txtProdCode"_s, u"상품코드"_s, u"pcode"_s},
                    {u"txtProdName"_s, u"상 품 명"_s, {}},
                    {u"txtType"_s, u"AS 유형"_s, {}},
                    {u"txtSerial"_s, u"시리얼번호"_s, u"pserial"_s},
                    {u"txtRegUser"_s, u"접 수 자"_s, {}},
                    {u"txtBigo"_s, u"비    고"_s, u"dealbigo"_s},
                    {u"txtResvDate1"_s, u"예약일자1"_s, u"resvdate1"_s},
                    {u"txtResvTime1"_s, u"예약시간1"_s, u"resvtime1"_s},
                    {u"txtResvDate2"_s, u"예약일자2"_s, u"resvdate2"_s},
                    {u"txtResvTime2"_s, u"예약시간2"_s, u"resvtime2"_s},
                    {u"txtWorkDate"_s, u"처리일자"_s, u"workdate"_s},
                    {u"txtWorkTime"_s, u"처리시간"_s, u"worktime"_s},
                    {u"txtCharge"_s, u"담 당 자"_s, {}},
                    {u"txtDealListNo"_s, u"전표번호"_s, u"deallistno"_s},
                    {u"txtTaxListNo"_s, u"계산서번호"_s, u"taxlistno"_s},
                    {u"txtState"_s, u"상    태"_s, {}},
                })),
      m_lines(new Grid(this))
{
    setObjectName(kForm);
    setWindowTitle(u"AS 접수 내역"_s);
    m_lines->setObjectName(u"spList"_s);
    m_lines->setColumns({u"처리유형1"_s, u"처리유형2"_s, u"금액"_s, u"무상"_s, u"비고"_s});
    m_lines->cells().setNumberColumn(ColAmount, GetDecFormat(SharedOptions::current().amountDecimals, true, true));

    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form->layout());
    layout->addWidget(m_lines, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(560, 720);
}

FrmAS_SubAS::~FrmAS_SubAS() = default;

void FrmAS_SubAS::ShowData(int code)
{
    Guarded(u"ShowData"_s, u"Form"_s, kForm, 0, [&] {
        const RecordSetPtr rs = HistoryStore().asJob(code);
        m_form->showRow(*rs);
        if (!rs->eof()) {
            m_form->set(u"txtCust"_s, GetName_Cust(rs->field(u"ccode"_s)));
            m_form->set(u"txtProdName"_s, GetName_Prod(rs->field(u"pcode"_s)));
            m_form->set(u"txtType"_s, HistoryStore().codeName(rs->field(u"typecode0"_s).toInt()));
            m_form->set(u"txtRegUser"_s, GetName_User(rs->field(u"regucode"_s)));
            m_form->set(u"txtCharge"_s, GetName_User(rs->field(u"charge"_s)));
            m_form->set(u"txtState"_s, rs->field(u"state"_s) == u"9"_s ? u"완료"_s : u"접수"_s);
        }
        showWorkLines(rs->eof() ? 0 : code);
        return 0;
    });
}

void FrmAS_SubAS::showWorkLines(int code)
{
    GridModel& cells = m_lines->cells();
    cells.clearRows();
    if (code == 0)
        return;
    const RecordSetPtr rs = HistoryStore().asWorkLines(code);
    QHash<int, QString> names;
    const auto nameOf = [&names](const QString& typeCode) {
        const int c = typeCode.toInt();
        if (!names.contains(c))
            names.insert(c, HistoryStore().codeName(c));
        return names.value(c);
    };
    cells.setRowCount(rs->rowCount());
    for (int row = 0; !rs->eof(); rs->moveNext(), ++row) {
        cells.setText(row, ColType1, nameOf(rs->field(u"typecode1"_s)));
        cells.setText(row, ColType2, nameOf(rs->field(u"typecode2"_s)));
        cells.setText(row, ColAmount, rs->field(u"amount"_s));
        cells.setText(row, ColFree, rs->field(u"isfree"_s).toInt() != 0 ? u"무상"_s : QString());
        cells.setText(row, ColBigo, rs->field(u"workbigo"_s));
    }
}

} // namespace asv
