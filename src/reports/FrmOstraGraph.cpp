#include "FrmOstraGraph.h"

#include "HCText.h"
#include "OstraGraph.h"
#include "OstraGraphSettings.h"
#include "PeriodReportSettings.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <array>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

namespace S = OstraGraphSettings;

struct Unit {
    QString name;
    double divisor;
};

const QList<Unit> kUnits = {{u"원"_s, 1}, {u"천원"_s, 1000}, {u"만원"_s, 10000}, {u"백만원"_s, 1000000}};

const std::array<const Setting<int>*, 3> kMaxSettings = {&S::MaxColumns, &S::MaxY, &S::BottomMargin};

// Stored as red + 256 × green + 65536 × blue.
QColor colourOf(int stored)
{
    return QColor(stored & 0xff, (stored >> 8) & 0xff, (stored >> 16) & 0xff);
}

QString shownValue(int stored)
{
    return stored > 0 ? QString::number(stored) : QString();
}

int storedOf(const QColor& colour)
{
    return colour.red() + (colour.green() << 8) + (colour.blue() << 16);
}

} // namespace

FrmOstraGraph::FrmOstraGraph(QWidget* parent)
    : QWidget(parent), m_graph(new OstraGraph(this)), m_cboGraphType(new QComboBox(this)),
      m_cboUnit(new QComboBox(this)), m_cmdPrev(NamedButton(this, u"cmdMovePage0"_s, u"◀"_s)),
      m_cmdNext(NamedButton(this, u"cmdMovePage1"_s, u"▶"_s)), m_lblPage(new QLabel(this)),
      m_lblCount(new QLabel(this))
{
    setObjectName(u"FrmOstraGraph"_s);
    m_graph->setObjectName(u"OstraGraph1"_s);
    m_lblPage->setObjectName(u"lblPage"_s);
    m_lblCount->setObjectName(u"lblCount"_s);

    auto* settings = new QHBoxLayout;
    const QStringList maxCaptions = {u"최대막대수:"_s, u"최대Y값:"_s, u"아래여백:"_s};
    for (int i = 0; i < 3; ++i) {
        auto* field = new HCText(this);
        field->setObjectName(u"htMax"_s + QString::number(i));
        field->setAcceptType(HCText::Number);
        field->setMaximumWidth(70);
        connect(field, &QLineEdit::editingFinished, this, [this, i] { maxFieldDone(i); });
        m_htMax << field;
        settings->addWidget(new QLabel(maxCaptions[i], this));
        settings->addWidget(field);
    }
    const QList<std::pair<QString, const Setting<bool>*>> boxes = {
        {u"값보기"_s, &S::ShowValues}, {u"가로선"_s, &S::GridLines}, {u"막대채움"_s, &S::FilledBars},
        {u"세로글자회전"_s, &S::RotatedLabels}};
    for (int i = 0; i < boxes.size(); ++i) {
        QCheckBox* box = SettingCheckBox(this, u"chkGrpStat"_s + QString::number(i), boxes[i].first, *boxes[i].second);
        connect(box, &QCheckBox::clicked, this, &FrmOstraGraph::ReDrawGraph);
        settings->addWidget(box);
    }

    m_cboGraphType->setObjectName(u"cboGraphType"_s);
    m_cboGraphType->addItems({u"막대그래프"_s, u"꺾은선그래프"_s});
    m_cboGraphType->setCurrentIndex(std::clamp(S::GraphType.get(), 0, 1));
    m_cboUnit->setObjectName(u"cboUnit"_s);
    for (const Unit& unit : kUnits)
        m_cboUnit->addItem(unit.name);
    m_cboUnit->setCurrentIndex(std::clamp(S::DataUnit.get(), 0, int(kUnits.size()) - 1));
    for (auto [combo, setting] : {std::pair{m_cboGraphType, &S::GraphType}, std::pair{m_cboUnit, &S::DataUnit}})
        connect(combo, &QComboBox::currentIndexChanged, this, [this, setting](int index) {
            setting->set(index);
            ReDrawGraph();
        });

    QPushButton* barColour = NamedButton(this, u"cmdBarColor"_s, u"막대색"_s);
    QPushButton* lineColour = NamedButton(this, u"cmdLineColor"_s, u"꺾은선색"_s);
    QPushButton* refresh = NamedButton(this, u"cmdRefresh"_s, u"새로고침"_s);
    QPushButton* print = NamedButton(this, u"cmdPrint"_s, u"인쇄"_s);
    connect(barColour, &QPushButton::clicked, this, [this] { chooseColour(true); });
    connect(lineColour, &QPushButton::clicked, this, [this] { chooseColour(false); });
    connect(refresh, &QPushButton::clicked, this, &FrmOstraGraph::ReDrawGraph);
    connect(print, &QPushButton::clicked, this, &FrmOstraGraph::printGraph);
    connect(m_cmdPrev, &QPushButton::clicked, this, [this] { cmdMovePage(-1); });
    connect(m_cmdNext, &QPushButton::clicked, this, [this] { cmdMovePage(1); });

    auto* controls = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_cboGraphType, m_cboUnit, barColour, lineColour, refresh, print})
        controls->addWidget(w);
    controls->addStretch();
    controls->addWidget(m_lblCount);
    controls->addWidget(m_cmdPrev);
    controls->addWidget(m_lblPage);
    controls->addWidget(m_cmdNext);
    settings->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(controls);
    layout->addWidget(m_graph, 1);
    showMaxFields();
    ReDrawGraph();
}

// Closing the window takes the focus from a field, which must not reach the fields' list once
// that is gone.
FrmOstraGraph::~FrmOstraGraph()
{
    for (HCText* field : m_htMax)
        field->disconnect(this);
}

void FrmOstraGraph::ClearGraph()
{
    m_graph->clear();
}

void FrmOstraGraph::AddData(const QString& label, double value)
{
    m_graph->addPoint(label, value);
}

void FrmOstraGraph::ReDrawGraph()
{
    m_graph->setMaxColumns(S::MaxColumns.get());
    m_graph->setMaxY(S::MaxY.get());
    m_graph->setBottomMargin(S::BottomMargin.get());
    m_graph->setShowValues(S::ShowValues.get());
    m_graph->setGridLines(S::GridLines.get());
    m_graph->setFilled(S::FilledBars.get());
    m_graph->setRotatedLabels(S::RotatedLabels.get());
    m_graph->setKind(S::GraphType.get() == 1 ? OstraGraph::Kind::Line : OstraGraph::Kind::Bar);
    const Unit& unit = kUnits[std::clamp(S::DataUnit.get(), 0, int(kUnits.size()) - 1)];
    m_graph->setUnit(unit.name, unit.divisor);
    m_graph->setBarColour(colourOf(S::BarColour.get()));
    m_graph->setLineColour(colourOf(S::LineColour.get()));
    m_graph->setTitle(PeriodReportSettings::GraphPrintTitle.get());
    m_graph->draw();

    const int page = m_graph->page();
    const int pages = m_graph->pageCount();
    m_lblPage->setText(QString::number(page + 1) + u"/"_s + QString::number(pages));
    m_cmdPrev->setEnabled(page > 0);
    m_cmdNext->setEnabled(page + 1 < pages);
    m_lblCount->setText(u"총 "_s + QString::number(m_graph->pointCount()) + u"건"_s);
}

void FrmOstraGraph::cmdMovePage(int step)
{
    m_graph->setPage(m_graph->page() + step);
    ReDrawGraph();
}

void FrmOstraGraph::maxFieldDone(int index)
{
    const Setting<int>& setting = *kMaxSettings[index];
    // Leaving a field as it was shown is no entry (the automatic Y scale shows empty).
    if (m_htMax[index]->text() == shownValue(setting.get()))
        return;
    bool ok = false;
    const int value = m_htMax[index]->text().remove(u',').toInt(&ok);
    if (!ok || value < 1) {
        showMaxFields();
        MsgInfo(u"1이상의 수치만 입력가능합니다."_s);
        return;
    }
    setting.set(value);
    ReDrawGraph();
}

void FrmOstraGraph::showMaxFields()
{
    for (int i = 0; i < 3; ++i) {
        m_htMax[i]->setText(shownValue(kMaxSettings[i]->get()));
    }
}

void FrmOstraGraph::chooseColour(bool bar)
{
    const Setting<int>& setting = bar ? S::BarColour : S::LineColour;
    const QColor chosen = QColorDialog::getColor(colourOf(setting.get()), this,
                                                 (bar ? u"막대색"_s : u"꺾은선색"_s) + u" 선택"_s);
    if (!chosen.isValid())
        return;
    setting.set(storedOf(chosen));
    ReDrawGraph();
}

void FrmOstraGraph::printGraph()
{
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted && !m_graph->print(printer))
        MsgWarn(u"인쇄할 수 없습니다."_s);
}

} // namespace asv
