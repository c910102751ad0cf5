#include "FrmProd_sel.h"

#include "EditorWindow.h"
#include "FindBar.h"
#include "FrmProd_save.h"
#include "Grid.h"
#include "PickerRegistry.h"
#include "ProductRules.h"
#include "ProductSearch.h"
#include "RecordEditor.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QHBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const int kDefaultKey = 1; // 상품명
PickerDialog::EntrySearch entrySearch()
{
    const FindKey key = ProductSearch::entryKey();
    return {u"p.code"_s, key.fields, key.op, &ProductSearch::entryRungs};
}

enum Column { ColCode, ColBarcode, ColName, ColNorm, ColUnit, ColVat, ColPrice, ColBigo, ColClass };

} // namespace

FrmProd_sel::FrmProd_sel(QWidget* parent)
    : PickerDialog(parent, u"FrmProd_sel"_s, u"상품 검색"_s, ProductSearch::pickerKeys(), kDefaultKey, entrySearch()),
      m_lstClass(new QListWidget(this)), m_chkAllPList(new QCheckBox(u"전체상품"_s, this))
{
    m_lstClass->setObjectName(u"lstClass"_s);
    m_lstClass->setMaximumWidth(160);
    m_chkAllPList->setObjectName(u"chkAllPList"_s);
    m_chkAllPList->setChecked(true);

    list()->setColumns({u"코드"_s, u"바코드"_s, u"상품명"_s, u"규격"_s, u"단위"_s, u"부가세"_s, u"판매단가"_s, u"메모"_s,
                        u"분류"_s});
    GridModel& cells = list()->cells();
    const QStringList fields{u"code"_s, u"bcode"_s, u"pname"_s, u"norm"_s, u"unit"_s};
    for (int c = 0; c < fields.size(); ++c)
        cells.bindColumn(c, fields[c]);
    cells.bindColumn(ColVat, [](const RecordSet& rs, int row) {
        return TaxModeText(rs.value(row, u"taxmode"_s).toInt());
    });
    cells.bindColumn(ColPrice, u"saleprice"_s);
    cells.setNumberColumn(ColPrice, GetDecFormat(SharedOptions::current().priceDecimals, true, true));
    cells.bindColumn(ColBigo, u"bigo"_s);
    cells.bindColumn(ColClass, u"classname"_s);

    QPushButton* btnCopy = NamedButton(this, u"btnCopy"_s, u"복사"_s);
    QPushButton* btnFindKey = NamedButton(this, u"btnFindKey"_s, u"검색항목"_s);
    QHBoxLayout* buttons = searchList().buttonRow();
    buttons->addWidget(m_chkAllPList);
    buttons->addWidget(btnFindKey);
    buttons->addWidget(btnCopy);
    searchList().addRecordLimit();
    searchList().setLeftPanel(m_lstClass);
    finishLayout();
    Refresh_SheetP();

    connect(btnCopy, &QPushButton::clicked, this, [this] {
        const QString code = searchList().selectedCode(u"먼저 그리드에서 복사할 자료를 선택하세요."_s);
        if (!code.isEmpty())
            openEditor(RecordEditor::CopyRecord, code);
    });
    connect(btnFindKey, &QPushButton::clicked, this,
            [this] { findBar()->findChild<QComboBox*>(u"cmbFindKey"_s)->showPopup(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { findBar()->findChild<QLineEdit*>(u"txtFind"_s)->setFocus(); });
    connect(m_chkAllPList, &QCheckBox::toggled, this, &FrmProd_sel::search);
    connect(m_lstClass, &QListWidget::currentRowChanged, this, [this] {
        if (!m_chkAllPList->isChecked())
            search();
    });
    // Opened from a field that already searched: arrows and Enter choose at once; F3 searches anew.
    list()->setFocus();
}

void FrmProd_sel::Refresh_SheetP()
{
    searchList().load([this] {
        m_lstClass->clear();
        m_lstClass->addItems(ProductSearch::pickerClasses());
    });
}

void FrmProd_sel::fill()
{
    ProductSearch::Query query;
    if (!m_chkAllPList->isChecked() && m_lstClass->currentItem())
        query.className = m_lstClass->currentItem()->text();
    query.fields = findBar()->fields();
    query.text = findBar()->text();
    query.opText = findBar()->opText();
    query.extraCondition = extraCondition();
    query.limitClause = searchList().limitClause();
    RecordSetPtr rs;
    DBOpenRS(rs, ProductSearch::pickerSql(query));
    list()->cells().setRecordSet(rs);
}

Pick FrmProd_sel::pickOf(int row) const
{
    return {list()->text(row, ColCode), list()->text(row, ColName)};
}

void FrmProd_sel::SyncUpdateProd(const QString& code)
{
    Refresh_SheetP();
    refreshAfterSave(code);
}

void FrmProd_sel::openEditor(int mode, const QString& code)
{
    OpenEditorOver<FrmProd_save>(this, mode, code, [this](const QString& saved) { SyncUpdateProd(saved); });
}

void FrmProd_sel::registerPicker()
{
    PickerRegistry::registerKind(
        kFindKindProd, [](QWidget* parent) { return std::make_unique<FrmProd_sel>(parent); },
        &RegisterWithEditor<FrmProd_save>);
}

} // namespace asv
