#include "FrmProd_admin.h"

#include "ConfigKeys.h"
#include "EditorWindow.h"
#include "FindBar.h"
#include "FrmLabelPrint.h"
#include "FrmProd_class.h"
#include "FrmProd_save.h"
#include "Grid.h"
#include "HCText.h"
#include "PClassStore.h"
#include "ProductRules.h"
#include "ProductSearch.h"
#include "ProductStore.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kAllProducts = u"전체상품"_s;
const int kDefaultKey = 1; // 상품명

enum Column { ColClass, ColCode, ColBarcode, ColName, ColNorm, ColUnit, ColPrice, ColBigo, ColVat };

} // namespace

FrmProd_admin::FrmProd_admin(QWidget* parent)
    : ListWindow(parent, u"FrmProd_admin"_s, u"상품 관리"_s, ProductSearch::listKeys(), kDefaultKey,
                 {.printTitle = u"품목 리스트"_s, .copy = true}),
      m_cmbClass(new QComboBox(this)), m_chkShowHidden(new QCheckBox(u"숨김상품 보기"_s, this)),
      m_txtBasicUnit(NamedTextField(this, {u"txtBasicUnit"_s, {}, kUnitBytes, HCText::AnyText}))
{
    m_cmbClass->setObjectName(u"cmbClass"_s);
    m_chkShowHidden->setObjectName(u"chkShowHidden"_s);
    m_txtBasicUnit->SetText(ConfigKeys::ProductDefaultUnit.get());

    list()->setColumns({u"분류"_s, u"코드"_s, u"바코드"_s, u"상품명"_s, u"규격"_s, u"단위"_s, u"판매단가"_s, u"메모"_s,
                        u"부가세"_s});
    list()->setSelectionKind(Grid::SelectionKind::MultiRow);
    GridModel& cells = list()->cells();
    const QStringList fields{u"classname"_s, u"code"_s, u"bcode"_s, u"pname"_s, u"norm"_s,
                             u"unit"_s,      u"saleprice"_s, u"bigo"_s};
    for (int c = 0; c < fields.size(); ++c)
        cells.bindColumn(c, fields[c]);
    cells.setNumberColumn(ColPrice, GetDecFormat(SharedOptions::current().priceDecimals, true, true));
    cells.bindColumn(ColVat, [](const RecordSet& rs, int row) {
        return TaxModeText(rs.value(row, u"taxmode"_s).toInt());
    });
    searchList().setCodeColumn(ColCode);

    QHBoxLayout* bar = findBar()->row();
    bar->insertWidget(0, m_cmbClass);
    bar->addWidget(m_chkShowHidden);
    QPushButton* btnClass = NamedButton(this, u"btnClass"_s, u"분류관리"_s);
    QPushButton* btnLabel = NamedButton(this, u"btnLabel"_s, u"라벨인쇄"_s);
    QHBoxLayout* buttons = searchList().buttonRow();
    buttons->addWidget(new QLabel(u"기본단위"_s, this));
    buttons->addWidget(m_txtBasicUnit);
    buttons->addWidget(btnClass);
    buttons->addWidget(btnLabel);
    searchList().addRecordLimit();
    fillClasses();

    connect(m_chkShowHidden, &QCheckBox::toggled, this, &FrmProd_admin::Refresh_Sheet);
    connect(m_cmbClass, &QComboBox::activated, this, &FrmProd_admin::Refresh_Sheet);
    connect(btnClass, &QPushButton::clicked, this, &FrmProd_admin::openClasses);
    connect(btnLabel, &QPushButton::clicked, this, [this] { FrmLabelPrint::openFor(this, *list(), ColCode); });
    connect(m_txtBasicUnit, &HCText::lostFocus, this, [this] {
        if (UnitFits(m_txtBasicUnit->Text().trimmed()))
            ConfigKeys::ProductDefaultUnit.set(m_txtBasicUnit->Text().trimmed());
        else
            MsgInfo(UnitTooLongMessage());
    });
    finishLayout();
}

void FrmProd_admin::fillClasses()
{
    const QString chosen = m_cmbClass->currentText();
    m_cmbClass->clear();
    m_cmbClass->addItem(kAllProducts);
    Guarded(u"Form_Load"_s, u"Form"_s, objectName(), 0, [&] {
        m_cmbClass->addItems(PClassStore().names());
        return 0;
    });
    m_cmbClass->setCurrentIndex(std::max(0, m_cmbClass->findText(chosen)));
}

void FrmProd_admin::openClasses()
{
    FrmProd_class classes(this);
    classes.exec();
    fillClasses();
    Refresh_Sheet();
}

void FrmProd_admin::fill()
{
    ProductSearch::Query query;
    query.className = m_cmbClass->currentIndex() > 0 ? m_cmbClass->currentText() : QString();
    query.fields = findBar()->fields();
    query.text = findBar()->text();
    query.opText = findBar()->opText();
    query.showHidden = m_chkShowHidden->isChecked();
    query.limitClause = searchList().limitClause();
    RecordSetPtr rs;
    DBOpenRS(rs, ProductSearch::listSql(query));
    GridModel& cells = list()->cells();
    cells.setRecordSet(rs);
    for (int row = 0; rs && row < cells.rowCount(); ++row) {
        if (rs->value(cells.sourceRow(row), u"hidden"_s) == u"1"_s)
            cells.setRowColors(row, Qt::red, {});
    }
}

QString FrmProd_admin::printSubtitle() const
{
    return u"("_s + m_cmbClass->currentText() + u')';
}

void FrmProd_admin::openEditor(int mode, const QString& code)
{
    OpenEditorOver<FrmProd_save>(this, mode, code, [this](const QString& saved) { SyncUpdateProd(saved); });
}

} // namespace asv
