#include "FrmRPT_graphA.h"

#include "FrmOstraGraph.h"
#include "GraphPoints.h"
#include "HCTerm.h"
#include "PeriodReportSettings.h"
#include "PeriodReportStore.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_graphA"_s;

QButtonGroup* addOptions(QWidget* owner, QHBoxLayout* row, const QString& name, const QStringList& captions)
{
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], owner);
        option->setObjectName(name + QString::number(i));
        group->addButton(option, i);
        row->addWidget(option);
    }
    group->button(0)->setChecked(true);
    return group;
}

} // namespace

FrmRPT_graphA::FrmRPT_graphA(QWidget* parent)
    : QWidget(parent), m_hmDate(new HCTerm(this)), m_fbProd(new ucFindBox(this)), m_graph(new FrmOstraGraph(this))
{
    setObjectName(kForm);
    setWindowTitle(u"매출분석"_s);
    m_hmDate->setObjectName(u"hmDate"_s);
    m_hmDate->setThisMonth();
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(u"기간:"_s, this));
    filters->addWidget(m_hmDate);
    filters->addWidget(new QLabel(u"상품:"_s, this));
    filters->addWidget(m_fbProd);
    m_optCustType = addOptions(this, filters, u"optCustType"_s, {u"매출"_s, u"AS"_s});
    m_optType = addOptions(this, filters, u"optType"_s, {u"일별"_s, u"월별"_s, u"년별"_s});
    if (QAbstractButton* remembered = m_optType->button(PeriodReportSettings::GraphGrouping.get()))
        remembered->setChecked(true);
    connect(m_optType, &QButtonGroup::idClicked, this, [](int id) { PeriodReportSettings::GraphGrouping.set(id); });
    QPushButton* query = NamedButton(this, u"btnQuery"_s, u"조회(F5)"_s);
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    query->setShortcut(Qt::Key_F5);
    connect(query, &QPushButton::clicked, this, &FrmRPT_graphA::query);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    filters->addStretch();
    filters->addWidget(query);
    filters->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_graph, 1);
}

void FrmRPT_graphA::query()
{
    PeriodReportStore::GraphFilter filter;
    filter.from = m_hmDate->Text1();
    filter.to = m_hmDate->Text2();
    filter.pcode = m_fbProd->code();
    filter.source = static_cast<PeriodReportStore::GraphSource>(m_optCustType->checkedId());
    filter.grouping = static_cast<PeriodReportStore::Grouping>(m_optType->checkedId());
    const RecordSetPtr sums = Guarded(u"btnQuery_Click"_s, u"Form"_s, kForm, RecordSetPtr(),
                                      [&] { return PeriodReportStore().graph(filter); });
    if (!sums)
        return;
    QList<GraphPoints::Sum> rows;
    for (int row = 0; row < sums->rowCount(); ++row)
        rows.append({sums->value(row, 0), sums->value(row, 1).toDouble()});
    m_graph->ClearGraph();
    if (!rows.isEmpty()) {
        const QDate from = m_hmDate->from().value_or(QDate());
        const QDate to = m_hmDate->to().value_or(QDate());
        for (const GraphPoints::Point& p : GraphPoints::of(filter.grouping, from, to, rows))
            m_graph->AddData(p.label, p.value);
    }
    m_graph->ReDrawGraph();
    if (sums->rowCount() == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

} // namespace asv
