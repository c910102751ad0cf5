#include "frmAS_admin4.h"

#include "AppState.h"
#include "AsJobReceivers.h"
#include "AsCodeStore.h"
#include "CallListRules.h"
#include "Clock.h"
#include "DeskSettings.h"
#include "FrmCust_save.h"
#include "Grid.h"
#include "LogFile.h"
#include "Paths.h"
#include "PickerRegistry.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modFormIni.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"
#include "Prompter.h"
#include "RecordSet.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

Q_LOGGING_CATEGORY(lcDesk, "asv.calldesk.desk")

const QString kForm = u"frmAS_admin4"_s;
const QString kAsReception = u"FrmAS_save"_s;
const QString kSalesSlip = u"mnuSlip2"_s;
const QString kPayments = u"mnuDeposite"_s;
const QString kConsultReport = u"mnuSlipConList"_s;
const QString kSms = u"mnuSMS"_s;
// Twips of the stored window size per screen pixel.
constexpr int kTwipsPerPixel = 15;
// Notices of other desks' calls: long enough to read, without a box that holds the desk.
constexpr int kNoticeMs = 3000;
// A refused number is shown in a notice; a datagram may carry any length.
constexpr qsizetype kShownNumberLength = 40;

template <typename F>
void guarded(const QString& procedure, F&& body)
{
    Guarded(procedure, u"Form"_s, kForm, 0, [&] {
        body();
        return 0;
    });
}

QString lines(const QStringList& parts)
{
    return parts.join(vbCrLf);
}

// Every call's ring-to-pop time in the program's log folder, one line per call.
void logPopTime(const QString& number, const QString& text)
{
    qCInfo(lcDesk).noquote() << number << text;
    QDir().mkpath(Paths::logFolder());
    LogFile::appendLine(Paths::logFolder() + u"/Call_"_s + Clock::today().toString(u"yyyyMMdd"_s) + u".txt"_s,
                        Clock::now().toString(u"yyyy-MM-dd HH:mm:ss"_s) + u' ' + number + u' ' + text);
}

struct PanelDef {
    QString column;
    QString title;
};

// The customised edition shows its product columns in place of fax, mobile, charge, balance and
// e-mail.
QList<PanelDef> panelDefs(bool tamber)
{
    QList<PanelDef> defs{{u"compname"_s, u"상    호"_s}, {u"compalias"_s, u"약    칭"_s}, {u"telno1"_s, u"전화번호1"_s},
                         {u"telno2"_s, u"전화번호2"_s}, {u"telno3"_s, u"전화번호3"_s}, {u"telno4"_s, u"전화번호4"_s}};
    if (tamber)
        defs << PanelDef{u"modelname"_s, u"모 델 명"_s} << PanelDef{u"setupuser"_s, u"설치기사"_s};
    else
        defs << PanelDef{u"fax"_s, u"팩    스"_s} << PanelDef{u"hpno"_s, u"휴대전화"_s};
    defs << PanelDef{u"addr1"_s, u"주    소"_s} << PanelDef{u"addr2"_s, u"상세주소"_s} << PanelDef{u"bigo"_s, u"메    모"_s};
    if (tamber)
        defs << PanelDef{u"agency"_s, u"구 입 처"_s} << PanelDef{u"buydate"_s, u"구 입 일"_s}
             << PanelDef{u"serialnumber"_s, u"S/N"_s};
    else
        defs << PanelDef{u"charge"_s, u"담 당 자"_s} << PanelDef{u"nowmoney"_s, u"미 납 금"_s}
             << PanelDef{u"email"_s, u"이 메 일"_s};
    defs << PanelDef{u"openasjobs"_s, u"AS 미결"_s} << PanelDef{u"lastsale"_s, u"최근구매"_s};
    return defs;
}

QString panelValue(const ConsultStore::Caller& c, const QString& column)
{
    if (column == u"charge"_s)
        return c.chargeName;
    if (column == u"openasjobs"_s)
        return QString::number(c.openAsJobs);
    if (column == u"lastsale"_s)
        return c.lastSale;
    if (column == u"nowmoney"_s)
        return FormatNumber(c.customer.nowmoney, GetDecFormat(SharedOptions::current().amountDecimals, true, true));
    const auto& fields = CustomerRecord::fields();
    return fields.text(fields.field(column), c.customer);
}

} // namespace

frmAS_admin4::frmAS_admin4(QWidget* parent)
    : QWidget(parent), m_list(new Grid), m_lblCount(new QLabel), m_lblClock(new QLabel), m_lblRsvDate(new QLabel),
      m_lblRsvTime(new QLabel), m_txtCustom(new QLineEdit), m_lblConDate(new QLabel), m_lblConTime(new QLabel),
      m_lblConDateTime(new QLabel), m_txtConsult(new QLineEdit), m_txtConsultCode(new QLineEdit),
      m_txtConsultPro(new QLineEdit), m_txtConsultProCode(new QLineEdit), m_txtTalk1(new QPlainTextEdit),
      m_txtTalk2(new QPlainTextEdit), m_optState1(new QRadioButton(u"미결"_s)), m_optState2(new QRadioButton(u"종결"_s)),
      m_stateGroup(new QButtonGroup(this)), m_btnSave(NamedButton(this, u"btnSave"_s, u"저장"_s)),
      m_btnConsultCode(NamedButton(this, u"btnConsultCode"_s, u"분류"_s)),
      m_txtConsultSeq(new QLineEdit), m_fbUser(new ucFindBox), m_historyArea(new QWidget), m_presenceArea(new QWidget),
      m_timer1(new QTimer(this)), m_timerRefresh(new QTimer(this)), m_tamber(App().isTamber())
{
    setObjectName(kForm);
    setWindowTitle(u"상담및AS"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    m_historyArea->setObjectName(u"historyArea"_s);
    m_presenceArea->setObjectName(u"presenceArea"_s);

    auto* centre = new QVBoxLayout;
    centre->addWidget(buildCustomerPanel());
    centre->addWidget(buildConsultPanel(), 1);
    auto* layout = new QHBoxLayout(this);
    // Every part grows with the window; the histories keep room for a date, a product and a state.
    constexpr int kHistoryWidth = 340;
    m_historyArea->setMinimumWidth(kHistoryWidth);
    layout->addWidget(buildCallList(), 1);
    layout->addLayout(centre, 1);
    layout->addWidget(m_historyArea, 1);

    m_timer1->setObjectName(u"Timer1"_s);
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &frmAS_admin4::tick);
    m_timer1->start();
    tick();
    m_timerRefresh->setObjectName(u"TimerRefresh"_s);
    m_timerRefresh->setInterval(5000);
    connect(m_timerRefresh, &QTimer::timeout, this, &frmAS_admin4::loadCalls);
    if (m_tamber)
        m_timerRefresh->start();

    resize(DeskSettings::Width.get() / kTwipsPerPixel, DeskSettings::Height.get() / kTwipsPerPixel);
    move(DeskSettings::Left.get() / kTwipsPerPixel, DeskSettings::Top.get() / kTwipsPerPixel);
    LoadFormIni(this, false);
    clearConsultation();
    loadCalls();
    connect(qApp, &QApplication::focusChanged, this, &frmAS_admin4::focusChanged);
}

QWidget* frmAS_admin4::buildCallList()
{
    auto* box = new QWidget;
    // As expanding as the panels beside it, or they would take every pixel the window grows by.
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_lblClock->setObjectName(u"lblClock"_s);
    m_lblRsvDate->setObjectName(u"lblRsvDate"_s);
    m_lblRsvTime->setObjectName(u"lblRsvTime"_s);
    m_lblCount->setObjectName(u"lblRsvCount"_s);

    m_list->setObjectName(u"spListRsv"_s);
    m_list->setColumns({u"시간"_s, u"이름"_s, u"전화번호"_s, u"상담자"_s, u"고객코드"_s, u"수신번호"_s, u"상담자코드"_s});
    m_list->setColumnInitHidden(ColCustomer, true);
    m_list->setColumnInitHidden(ColConsultantCode, true);
    // Narrow enough that the consultant column, where a call is taken, shows without scrolling.
    const QList<std::pair<Column, int>> widths{
        {ColTime, 44}, {ColName, 88}, {ColNumber, 124}, {ColConsultant, 58}, {ColCall, 48}};
    for (const auto& [column, width] : widths)
        m_list->setColumnWidth(column, width);
    m_list->setMinimumWidth(380);
    m_list->horizontalHeader()->setSectionResizeMode(ColName, QHeaderView::Stretch);
    m_list->cells().setEditable(ColName, true);
    m_list->cells().setAfterEdit([this](int row, int col, const QString& oldText, const QString& newText) {
        if (col == ColName)
            nameEdited(row, oldText, newText);
    });
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { selectCall(index.row(), index.column()); });

    auto* btnRefresh = NamedButton(box, u"btnRefresh"_s, u"새로고침"_s);
    auto* btnRsv = NamedButton(box, u"btnRsv"_s, u"수신추가"_s);
    auto* btnTake = NamedButton(box, u"btnTake"_s, u"받기"_s);
    btnTake->setToolTip(u"선택한 수신 내역의 상담자가 됩니다."_s);
    auto* btnConsultEnd = NamedButton(box, u"btnConsultEnd"_s, u"완료"_s);
    btnConsultEnd->setVisible(m_tamber);
    auto* btnResult = NamedButton(box, u"btnResult"_s, u"결과"_s);
    btnResult->setVisible(m_tamber);
    connect(btnResult, &QPushButton::clicked, this, [this] { emit resultRequested(App().UserCode); });
    connect(btnRefresh, &QPushButton::clicked, this, &frmAS_admin4::loadCalls);
    connect(btnRsv, &QPushButton::clicked, this, &frmAS_admin4::manualCall);
    connect(btnTake, &QPushButton::clicked, this, &frmAS_admin4::takeSelectedCall);
    connect(btnConsultEnd, &QPushButton::clicked, this, &frmAS_admin4::complete);

    auto* received = new QHBoxLayout;
    received->addWidget(new QLabel(u"최근 수신:"_s));
    received->addWidget(m_lblRsvDate);
    received->addWidget(m_lblRsvTime);
    received->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lblCount);
    buttons->addStretch();
    buttons->addWidget(btnRefresh);
    buttons->addWidget(btnTake);
    buttons->addWidget(btnRsv);
    buttons->addWidget(btnConsultEnd);
    buttons->addWidget(btnResult);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_lblClock);
    layout->addLayout(received);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_presenceArea);
    return box;
}

QWidget* frmAS_admin4::buildCustomerPanel()
{
    auto* box = new QGroupBox(u"고객 정보"_s);
    auto* fbCustom = new QWidget;
    fbCustom->setObjectName(u"fbCustom"_s);
    m_txtCustom->setObjectName(u"txtCustom"_s);
    m_txtCustom->setPlaceholderText(u"엔터를 치세요!"_s);
    auto* search = new QHBoxLayout(fbCustom);
    search->setContentsMargins({});
    search->addWidget(new QLabel(u"고객검색"_s));
    search->addWidget(m_txtCustom, 1);
    connect(m_txtCustom, &QLineEdit::returnPressed, this, &frmAS_admin4::searchCustomer);

    auto* grid = new QGridLayout;
    const QList<PanelDef> defs = panelDefs(m_tamber);
    for (qsizetype i = 0; i < defs.size(); ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(u"txtCust_"_s + defs[i].column);
        edit->setReadOnly(true);
        const int row = static_cast<int>(i / 2);
        const int col = static_cast<int>(i % 2) * 2;
        grid->addWidget(new QLabel(defs[i].title), row, col);
        grid->addWidget(edit, row, col + 1);
        m_panel.append({defs[i].column, edit});
    }

    auto* btnAdd = NamedButton(box, u"btnAdd"_s, u"신규고객"_s);
    auto* btnDetail = NamedButton(box, u"btnDetail"_s, u"고객상세"_s);
    connect(btnAdd, &QPushButton::clicked, this, [this] { openCustomerEditor(RecordEditor::NewRecord); });
    connect(btnDetail, &QPushButton::clicked, this, [this] { openCustomerEditor(RecordEditor::EditRecord); });
    // Two rows, so the panel fits beside the lists on a 1366-pixel screen.
    auto* openers = new QGridLayout;
    const QList<QPushButton*> buttons{btnAdd,
                                      btnDetail,
                                      opener(u"btnSel"_s, u"AS접수"_s, kAsReception),
                                      opener(u"btnSell"_s, u"판매"_s, kSalesSlip),
                                      opener(u"btnRecv"_s, u"입금"_s, kPayments),
                                      opener(u"btnConReport"_s, u"상담내역"_s, kConsultReport),
                                      opener(u"btnSMS"_s, u"문자전송"_s, kSms)};
    constexpr int kPerRow = 4;
    for (int i = 0; i < buttons.size(); ++i)
        openers->addWidget(buttons[i], i / kPerRow, i % kPerRow);

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(fbCustom);
    layout->addLayout(grid);
    layout->addLayout(openers);
    return box;
}

QPushButton* frmAS_admin4::opener(const QString& name, const QString& caption, const QString& screen)
{
    QPushButton* b = NamedButton(this, name, caption);
    b->setEnabled(ScreenRegistry::has(screen));
    connect(b, &QPushButton::clicked, this, [this, screen] { openScreen(screen); });
    m_openers.append({b, screen});
    return b;
}

QWidget* frmAS_admin4::buildConsultPanel()
{
    auto* box = new QGroupBox(u"상담 내용"_s);
    m_lblConDate->setObjectName(u"lblConDate"_s);
    m_lblConTime->setObjectName(u"lblConTime"_s);
    m_lblConDateTime->setObjectName(u"lblConDateTime"_s);
    m_txtConsult->setObjectName(u"txtConsult"_s);
    m_txtConsultCode->setObjectName(u"txtConsultCode"_s);
    m_txtConsultCode->setReadOnly(true);
    m_txtConsultPro->setObjectName(u"txtConsultPro"_s);
    m_txtConsultProCode->setObjectName(u"txtConsultProCode"_s);
    m_txtConsultProCode->setReadOnly(true);
    m_txtTalk1->setObjectName(u"txtTalk1"_s);
    m_txtTalk2->setObjectName(u"txtTalk2"_s);
    m_optState1->setObjectName(u"optState1"_s);
    m_optState2->setObjectName(u"optState2"_s);
    m_stateGroup->addButton(m_optState1, 1);
    m_stateGroup->addButton(m_optState2, 2);
    m_txtConsultSeq->setObjectName(u"txtConsultSeq"_s);
    m_txtConsultSeq->setVisible(false);
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    m_fbUser->setRecord(App().UserCode, App().UserName);
    m_fbUser->setEnabled(false);
    m_txtTalk1->viewport()->installEventFilter(this);

    connect(m_btnConsultCode, &QPushButton::clicked, this, [this] { emit categoryPickRequested(m_txtConsult->text()); });
    connect(m_txtConsult, &QLineEdit::returnPressed, this, &frmAS_admin4::categoryEntered);
    connect(m_txtConsultPro, &QLineEdit::returnPressed, this, &frmAS_admin4::productEntered);
    // A code belongs to the name it came with: a name typed over it must not be saved with it.
    connect(m_txtConsult, &QLineEdit::textEdited, m_txtConsultCode, &QLineEdit::clear);
    connect(m_txtConsultPro, &QLineEdit::textEdited, m_txtConsultProCode, &QLineEdit::clear);
    connect(m_btnSave, &QPushButton::clicked, this, [this] { save(0); });
    for (QLineEdit* edit : {m_txtConsult, m_txtConsultCode, m_txtConsultPro, m_txtConsultProCode})
        connect(edit, &QLineEdit::textChanged, this, &frmAS_admin4::markChanged);
    for (QPlainTextEdit* edit : {m_txtTalk1, m_txtTalk2})
        connect(edit, &QPlainTextEdit::textChanged, this, &frmAS_admin4::markChanged);
    connect(m_stateGroup, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            markChanged();
    });

    auto* when = new QHBoxLayout;
    when->addWidget(m_lblConDate);
    when->addWidget(m_lblConTime);
    when->addStretch();
    when->addWidget(m_lblConDateTime);
    when->addWidget(new QLabel(u"상담자"_s));
    when->addWidget(m_fbUser);
    auto* category = new QHBoxLayout;
    category->addWidget(m_txtConsult, 1);
    category->addWidget(m_txtConsultCode);
    category->addWidget(m_btnConsultCode);
    auto* product = new QHBoxLayout;
    product->addWidget(m_txtConsultPro, 1);
    product->addWidget(m_txtConsultProCode);
    auto* state = new QHBoxLayout;
    state->addWidget(m_optState1);
    state->addWidget(m_optState2);
    state->addStretch();
    state->addWidget(m_btnSave);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(u"상담분류"_s), 0, 0);
    form->addLayout(category, 0, 1);
    form->addWidget(new QLabel(u"상 품 명"_s), 1, 0);
    form->addLayout(product, 1, 1);
    form->addWidget(new QLabel(u"문의내용"_s), 2, 0);
    form->addWidget(m_txtTalk1, 2, 1);
    form->addWidget(new QLabel(u"상담내용"_s), 3, 0);
    form->addWidget(m_txtTalk2, 3, 1);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(when);
    layout->addLayout(form, 1);
    layout->addLayout(state);
    layout->addWidget(m_txtConsultSeq);
    return box;
}

void frmAS_admin4::showEvent(QShowEvent* event)
{
    // Screens of other folders may have been registered since the desk was made.
    for (const auto& [button, screen] : m_openers)
        button->setEnabled(ScreenRegistry::has(screen));
    QWidget::showEvent(event);
}

void frmAS_admin4::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    const QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    DeskSettings::Width.set(frame->width() * kTwipsPerPixel);
    DeskSettings::Height.set(frame->height() * kTwipsPerPixel);
    DeskSettings::Top.set(frame->y() * kTwipsPerPixel);
    DeskSettings::Left.set(frame->x() * kTwipsPerPixel);
    QWidget::closeEvent(event);
}

void frmAS_admin4::tick()
{
    m_lblClock->setText(Clock::now().toString(u"yyyy-MM-dd HH:mm:ss"_s));
}

// ---- received calls

void frmAS_admin4::InputCID(const QString& number, bool isLocal, CallArrival arrived)
{
    if (isLocal)
        emit announceCall(number);
    guarded(u"InputCID"_s, [&] {
        CallIntake intake(DBMainConnection());
        const CallIntake::Call call = intake.record(number, isLocal, Clock::now());
        // Another desk's device refused it as well, where its operator saw the box: here a notice
        // does, without holding every desk of the office.
        if (call.refusal == CallIntake::Refusal::TooLong && isLocal)
            Prompter::current().error(u"잘못된 전화번호가 입력되었습니다."_s, u"잘못된 전화번호 입력"_s);
        else if (call.refusal == CallIntake::Refusal::TooLong)
            ShowNotice(u"잘못된 전화번호가 입력되었습니다."_s + vbCrLf + number.left(kShownNumberLength), kNoticeMs);
        if (call.refusal != CallIntake::Refusal::None)
            return;
        // The last call's date and time have labels of their own: the consultation panel's show
        // the selected call, whose consultation is saved with them.
        m_lblRsvDate->setText(call.date);
        m_lblRsvTime->setText(call.time);
        addCallRow(call);
        const QString pop = RingToPopText(std::chrono::steady_clock::now() - arrived);
        m_popTimes[0] = pop;
        if (call.code != 0)
            m_popByCall.insert(QString::number(call.code), pop);
        logPopTime(call.number, pop);
        // A desk not busy with a call shows the caller at once, history included.
        if (m_txtConsultSeq->text().isEmpty() && m_panelFollowsRings)
            showCaller(call.customer ? call.customer->code : QString(), call.number);
    });
}

void frmAS_admin4::InputCIDForMe(const QString& number, CallArrival arrived)
{
    const int before = m_list->rowCount();
    InputCID(number, false, arrived);
    if (m_list->rowCount() > before)
        m_list->setText(0, ColConsultant, App().UserName);
}

void frmAS_admin4::ShowTakenElsewhere(const QString& callCode, const QString& number, const QString& time,
                                      const QString& userCode)
{
    int row = rowOfCall(callCode);
    // Our row of a call another desk announced has no code yet: its number and time name it.
    for (int r = 0; row < 0 && r < m_list->rowCount(); ++r) {
        if (m_list->text(r, ColCall).isEmpty() && rowNumber(r) == number && m_list->text(r, ColTime) == time) {
            row = r;
            m_list->setText(r, ColCall, callCode);
        }
    }
    if (row < 0)
        return;
    guarded(u"ShowTakenElsewhere"_s, [&] {
        m_list->setText(row, ColConsultant, ConsultStore().userName(userCode));
        m_list->setText(row, ColConsultantCode, userCode);
    });
}

void frmAS_admin4::addCallRow(const CallIntake::Call& call)
{
    m_list->cells().insertBlankRows(0, 1);
    m_popTimes.prepend({});
    setRow(0, call.time, call.name, call.number, {}, call.customer ? call.customer->code : QString(),
           call.code != 0 ? QString::number(call.code) : QString(), {});
    recount();
}

void frmAS_admin4::setRow(int row, const QString& time, const QString& name, const QString& number,
                          const QString& consultant, const QString& ccode, const QString& call,
                          const QString& consultantCode)
{
    m_list->setText(row, ColTime, time);
    m_list->setText(row, ColName, name);
    m_list->setText(row, ColNumber, number);
    m_list->setText(row, ColConsultant, consultant);
    m_list->setText(row, ColCustomer, ccode);
    m_list->setText(row, ColCall, call);
    m_list->setText(row, ColConsultantCode, consultantCode);
    m_list->cells().setCellColors(row, ColName, ccode.isEmpty() ? QColor() : QColor(Qt::blue), QColor());
}

void frmAS_admin4::recount()
{
    QList<CallerKey> keys;
    for (int r = 0; r < m_list->rowCount(); ++r)
        keys.append({m_list->text(r, ColCustomer), rowNumber(r)});
    const QList<int> counts = CallCounts(keys);
    // A new call changes only its own count: the older rows are left untouched.
    for (int r = 0; r < m_list->rowCount(); ++r) {
        const QString shown = WithCallCount(keys[r].number, counts[r]);
        if (m_list->text(r, ColNumber) != shown)
            m_list->setText(r, ColNumber, shown);
    }
    m_lblCount->setText(u"(총 : "_s + QString::number(m_list->rowCount()) + u"건)"_s);
}

void frmAS_admin4::loadCalls()
{
    guarded(u"ShowRsvList"_s, [&] {
        const RecordSetPtr rs = ConsultStore().callsOf(Clock::today().toString(u"yyyy-MM-dd"_s));
        const int rows = rs ? rs->rowCount() : 0;
        m_list->cells().clearRows();
        m_list->cells().setRowCount(rows);
        m_popTimes.clear();
        for (int r = 0; r < rows; ++r) {
            const QString call = rs->value(r, u"code"_s);
            setRow(r, rs->value(r, u"contime"_s), rs->value(r, u"cname"_s), rs->value(r, u"ctelno"_s),
                   rs->value(r, u"name"_s), rs->value(r, u"ccode"_s), call, rs->value(r, u"regucode"_s));
            m_popTimes.append(m_popByCall.value(call));
        }
        recount();
        const int selected = rowOfCall(m_txtConsultSeq->text());
        if (selected >= 0)
            m_list->selectRow(selected);
        else
            m_list->clearSelection();
    });
}

int frmAS_admin4::rowOfCall(const QString& callCode) const
{
    if (callCode.isEmpty())
        return -1;
    for (int r = 0; r < m_list->rowCount(); ++r) {
        if (m_list->text(r, ColCall) == callCode)
            return r;
    }
    return -1;
}

quint32 frmAS_admin4::newestCall() const
{
    quint32 newest = 0;
    for (int r = 0; r < m_list->rowCount(); ++r)
        newest = std::max(newest, m_list->text(r, ColCall).toUInt());
    return newest;
}

QString frmAS_admin4::rowNumber(int row) const
{
    return WithoutCallCount(m_list->text(row, ColNumber));
}

void frmAS_admin4::nameEdited(int row, const QString& oldName, const QString& newName)
{
    if (!m_list->text(row, ColCustomer).isEmpty()) {
        Prompter::current().error(lines({u"이미 등록된 고객이므로 수정이 불가합니다."_s, u"수정은 고객관리 화면에서 가능합니다."_s}),
                                  u"등록된 고객 수정불가"_s);
        m_list->setText(row, ColName, oldName);
        return;
    }
    const QString number = rowNumber(row);
    guarded(u"spListRsv_AfterEdit"_s, [&] {
        ConsultStore().renameCaller(number, newName);
        if (DBLastFailed()) {
            m_list->setText(row, ColName, oldName);
            return;
        }
        for (int r = 0; r < m_list->rowCount(); ++r) {
            if (m_list->text(r, ColCustomer).isEmpty() && rowNumber(r) == number)
                m_list->setText(r, ColName, newName);
        }
    });
}

// ---- selecting and taking calls

void frmAS_admin4::selectCall(int row, int column)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    guarded(u"spListRsv_Click"_s, [&] {
        // A row another desk announced has no call code until the list is read back. The list is
        // read again and the number's call newer than any this desk knew is taken in its place;
        // the announcing desk may not have stored it yet (it announces first), and then nothing
        // is read or changed, not even the caller's earlier calls.
        if (m_list->text(row, ColCall).isEmpty()) {
            const QString number = rowNumber(row);
            const quint32 newestKnown = newestCall();
            loadCalls();
            row = -1;
            for (int r = 0; row < 0 && r < m_list->rowCount(); ++r) {
                if (rowNumber(r) == number && m_list->text(r, ColCall).toUInt() > newestKnown)
                    row = r;
            }
            if (row < 0)
                return;
        }
        const QString code = m_list->text(row, ColCall);
        const QString previous = m_txtConsultSeq->text();
        const bool unsaved = hasUnsavedChanges();
        if (unsaved && code != previous) {
            const MsgAnswer answer = MsgYesNoCancel(lines({u"다른 수신 내역을 선택하셨습니다."_s,
                                                           u"이미 작성 중이던 상담 정보를 저장 후 선택하시겠습니까?"_s,
                                                           u"※ 저장하시면 종결로 처리됩니다."_s}));
            if (answer == MsgAnswer::Cancel) {
                const int old = rowOfCall(previous);
                if (old >= 0)
                    m_list->selectRow(old);
                return;
            }
            if (answer == MsgAnswer::Yes)
                save(2);
            clearConsultation();
        }
        m_txtConsultSeq->setText(code);
        m_list->selectRow(row);
        if (column == ColConsultant)
            takeCall(row);

        m_panelFollowsRings = true;
        showCaller(m_list->text(row, ColCustomer), rowNumber(row));

        const std::optional<ConsultStore::Consultation> c = ConsultStore().load(code.toUInt());
        // Deleted meanwhile by the consultation report.
        if (!c) {
            clearConsultation();
            return;
        }
        m_consultant = c->regucode;
        const bool mine = !c->regucode.isEmpty() && c->regucode == App().UserCode;
        if (mine && unsaved && code == previous
            && MsgYesNo(lines({u"작성중인 상담 정보가 수정되었습니다."_s, u"저장하시겠습니까?"_s}), u"상담 정보"_s)
                == MsgAnswer::Yes)
            save(0);
        showConsultation(code.toUInt(), mine);
    });
}

void frmAS_admin4::takeCall(int row)
{
    const QString code = m_list->text(row, ColCall);
    // Only a stored call can be taken (selectCall reads an announced one back first).
    if (code.isEmpty())
        return;
    const QString user = App().UserCode;
    if (user.isEmpty()) {
        Prompter::current().error(u"상당자를 입력하셔야 합니다."_s, u"상담자"_s);
        return;
    }
    guarded(u"spListRsv_DblClick"_s, [&] {
        // Another desk may have taken the call meanwhile.
        const QList<ConsultStore::Consultant> now = ConsultStore().consultantOf(code.toUInt());
        if (now.size() != 1) {
            Prompter::current().error(u"DB의 정보가 이상합니다."_s, u"DB 수정 요망"_s);
            return;
        }
        m_list->setText(row, ColConsultant, now[0].name);
        m_list->setText(row, ColConsultantCode, now[0].code);
        if (now[0].code == user) {
            if (MsgYesNo(u"자기 자신으로 등록되어 있는 상담자를 취소하시겠습니까?"_s, u"상담자"_s) == MsgAnswer::Yes) {
                m_list->setText(row, ColConsultant, {});
                m_list->setText(row, ColConsultantCode, {});
                ConsultStore().setConsultant(code.toUInt(), {});
            }
            return;
        }
        if (!now[0].code.isEmpty() && MsgYesNo(u"상담자를 지정(변경) 하시겠습니까?"_s, u"상담자"_s) != MsgAnswer::Yes)
            return;
        m_list->setText(row, ColConsultant, App().UserName);
        m_list->setText(row, ColConsultantCode, user);
        ConsultStore().setConsultant(code.toUInt(), user);
        emit callTaken(code, rowNumber(row), m_list->text(row, ColTime), user);
    });
}

// ---- caller panel

void frmAS_admin4::showCaller(const QString& ccode, const QString& number)
{
    // A customer deleted meanwhile leaves the panel empty.
    const std::optional<ConsultStore::Caller> caller = ccode.isEmpty() ? std::nullopt : ConsultStore().caller(ccode);
    m_customer = caller ? ccode : QString();
    m_callerNumber = number;
    for (const PanelField& f : m_panel)
        f.edit->setText(caller ? panelValue(*caller, f.column) : QString());
    emit historyRequested(m_customer, number);
}

void frmAS_admin4::refreshCaller()
{
    if (m_customer.isEmpty() && m_callerNumber.isEmpty())
        return;
    guarded(u"SyncUpdate"_s, [&] { showCaller(m_customer, m_callerNumber); });
}

void frmAS_admin4::focusChanged(QWidget* old, QWidget* now)
{
    m_openedScreens.removeIf([](const QPointer<QWidget>& screen) { return screen.isNull(); });
    // The sales slip writes as it is edited and says nothing: coming back to the desk is the moment.
    const bool cameBack = now && isAncestorOf(now) && !(old && isAncestorOf(old));
    if (cameBack && !m_openedScreens.isEmpty())
        refreshCaller();
}

void frmAS_admin4::searchCustomer()
{
    const QString text = m_txtCustom->text().trimmed();
    guarded(u"txtCustom_KeyDown"_s, [&] {
        const QStringList codes = ConsultStore().searchCustomers(text, m_tamber);
        QString code = codes.size() == 1 ? codes.first() : QString();
        if (codes.size() > 1) {
            std::unique_ptr<RecordPicker> picker = PickerRegistry::createPicker(kFindKindCust, this);
            picker->FindRecords({}, ConsultStore::pickerCondition(codes, text, m_tamber));
            if (picker->pickModal())
                code = picker->Result().code;
        } else if (codes.isEmpty()) {
            if (MsgYesNo(lines({u"검색한 고객이 등록되어 있지 않습니다."_s, u"신규 등록하시겠습니까?"_s}), u"검색"_s)
                == MsgAnswer::Yes)
                openCustomerEditor(RecordEditor::NewRecord, text);
            return;
        }
        if (code.isEmpty())
            return;
        m_panelFollowsRings = false;
        showCaller(code, {});
    });
}

void frmAS_admin4::openCustomerEditor(int mode, const QString& name)
{
    if (mode == RecordEditor::EditRecord && m_customer.isEmpty()) {
        MsgInfo(u"고객을 먼저 검색하세요."_s, u"고객 정보"_s);
        return;
    }
    FrmCust_save::openOver(this, mode, mode == RecordEditor::EditRecord ? m_customer : name, [this](const QString& saved) {
        guarded(u"SyncUpdateCust"_s, [&] {
            // A new customer is the operator's choice; the shown one keeps the number it called from.
            if (saved != m_customer)
                m_panelFollowsRings = false;
            showCaller(saved, saved == m_customer ? m_callerNumber : QString());
        });
    });
}

void frmAS_admin4::openScreen(const QString& screen)
{
    if (screen == kSalesSlip && m_customer.isEmpty()) {
        MsgWarn(u"등록되어 있지 않은 고객에게는 상품 판매가 불가능합니다."_s, u"상품 판매"_s);
        return;
    }
    ScreenRequest request{m_customer, {}, {}};
    request.prepare = [this, product = m_txtConsultProCode->text()](QWidget* opened) {
        m_openedScreens.append(opened);
        // The product the consultation is about goes along.
        if (auto* reception = dynamic_cast<AsProductReceiver*>(opened); reception && !product.isEmpty())
            reception->presetProduct(product);
        // Balance, open jobs and histories change with every document saved there.
        if (auto* editor = qobject_cast<RecordEditor*>(opened))
            connect(editor, &RecordEditor::saved, this, &frmAS_admin4::refreshCaller);
    };
    // The report may delete calls: the desk reads its lists again when it closes.
    request.closed = [this, screen] {
        if (screen == kConsultReport)
            loadCalls();
        refreshCaller();
    };
    OpenRegisteredScreen(this, screen, request);
}

void frmAS_admin4::manualCall()
{
    if (m_customer.isEmpty()) {
        Prompter::current().error(u"고객을 먼저 검색하세요."_s, u"수신"_s);
        m_txtCustom->setFocus();
        return;
    }
    if (MsgYesNo(u"현재 검색한 고객을 수신 내역에 추가하시겠습니까?"_s, u"수신 추가"_s) != MsgAnswer::Yes)
        return;
    QString number;
    for (const QString& column : {u"telno1"_s, u"telno2"_s, u"telno3"_s, u"telno4"_s, u"hpno"_s}) {
        for (const PanelField& f : m_panel) {
            if (number.isEmpty() && f.column == column)
                number = f.edit->text().remove(u'-');
        }
    }
    // The customised edition's panel has no mobile field: read it from the record.
    if (number.isEmpty()) {
        guarded(u"btnRsv_Click"_s, [&] {
            if (const auto caller = ConsultStore().caller(m_customer))
                number = QString(caller->customer.hpno).remove(u'-');
        });
    }
    if (number.isEmpty()) {
        Prompter::current().error(u"전화번호가 등록되지 않은 고객은 수신 등록할 수 없습니다."_s, u"수신 추가"_s);
        return;
    }
    const int before = m_list->rowCount();
    InputCID(number, true, std::chrono::steady_clock::now());
    if (m_list->rowCount() > before)
        selectCall(0, ColConsultant);
}

void frmAS_admin4::takeSelectedCall()
{
    const int row = m_list->activeRow();
    if (row < 0) {
        MsgInfo(u"받을 수신 내역을 먼저 선택하세요."_s, u"상담자"_s);
        return;
    }
    selectCall(row, ColConsultant);
}

void frmAS_admin4::complete()
{
    const int row = m_list->activeRow();
    if (row < 0)
        return;
    guarded(u"btnConsultEnd_Click"_s, [&] {
        if (ConsultStore().complete(rowNumber(row)) == 0)
            MsgWarn(lines({u"완료 처리가 정상적으로 수행되지 않았습니다."_s, u"완료 처리를 새로 해 주시기 바랍니다."_s}));
        else
            ShowNotice(u"완료 처리 되었습니다."_s);
    });
}

// ---- consultation panel

void frmAS_admin4::showConsultation(quint32 call, bool editable)
{
    const std::optional<ConsultStore::Consultation> c = ConsultStore().load(call);
    if (!c)
        return;
    m_loading = true;
    m_lblConDate->setText(c->date);
    m_lblConTime->setText(c->time);
    m_lblConDateTime->setText(c->date + u"    "_s + c->time);
    m_txtConsultPro->setText(c->pname);
    m_txtConsultProCode->setText(c->pcode);
    const bool hasCategory = !c->concode.isEmpty() && c->concode != u"0"_s;
    m_txtConsultCode->setText(hasCategory ? c->concode : QString());
    m_txtConsult->setText(hasCategory ? ConsultStore().categoryName(c->concode) : QString());
    m_txtTalk1->setPlainText(c->refernote);
    m_txtTalk2->setPlainText(c->connote);
    m_stateGroup->setExclusive(false);
    m_optState1->setChecked(c->state == 1);
    m_optState2->setChecked(c->state == 2);
    m_stateGroup->setExclusive(true);
    setEditable(editable);
    m_btnSave->setEnabled(false);
    m_loading = false;
}

void frmAS_admin4::clearConsultation()
{
    m_loading = true;
    m_txtConsultSeq->clear();
    m_consultant.clear();
    for (QLabel* l : {m_lblConDate, m_lblConTime, m_lblConDateTime})
        l->clear();
    for (QLineEdit* e : {m_txtConsult, m_txtConsultCode, m_txtConsultPro, m_txtConsultProCode})
        e->clear();
    m_txtTalk1->clear();
    m_txtTalk2->clear();
    m_stateGroup->setExclusive(false);
    m_optState1->setChecked(false);
    m_optState2->setChecked(false);
    m_stateGroup->setExclusive(true);
    setEditable(false);
    m_btnSave->setEnabled(false);
    m_loading = false;
}

void frmAS_admin4::setEditable(bool editable)
{
    m_editable = editable;
    for (QLineEdit* e : {m_txtConsult, m_txtConsultPro})
        e->setReadOnly(!editable);
    m_txtTalk1->setReadOnly(!editable);
    m_txtTalk2->setReadOnly(!editable);
    m_optState1->setEnabled(editable);
    m_optState2->setEnabled(editable);
    m_btnConsultCode->setEnabled(editable);
    if (!editable)
        m_btnSave->setEnabled(false);
}

void frmAS_admin4::markChanged()
{
    if (!m_loading && m_editable && !m_txtConsultSeq->text().isEmpty())
        m_btnSave->setEnabled(true);
}

bool frmAS_admin4::hasUnsavedChanges() const
{
    return m_btnSave->isEnabled();
}

int frmAS_admin4::chosenState() const
{
    return m_optState1->isChecked() ? 1 : m_optState2->isChecked() ? 2 : 0;
}

QString frmAS_admin4::currentNumber() const
{
    const int row = rowOfCall(m_txtConsultSeq->text());
    return row >= 0 ? rowNumber(row) : QString();
}

bool frmAS_admin4::save(int state)
{
    const int chosen = state != 0 ? state : chosenState();
    const quint32 call = m_txtConsultSeq->text().toUInt();
    if (chosen == 0 || call == 0)
        return false;
    ConsultStore::Consultation c;
    c.date = m_lblConDate->text();
    c.time = m_lblConTime->text();
    c.pname = m_txtConsultPro->text();
    c.pcode = m_txtConsultProCode->text();
    c.concode = m_txtConsultCode->text();
    c.refernote = m_txtTalk1->toPlainText();
    c.connote = m_txtTalk2->toPlainText();
    c.regucode = App().UserCode;
    c.state = chosen;
    if (!ConsultStore().save(call, c))
        return false;
    ShowNotice(u"자료가 저장되었습니다."_s, 500);
    m_btnSave->setEnabled(false);
    Show_ConsultListReset(m_txtConsultSeq->text());
    return true;
}

void frmAS_admin4::Show_ConsultListReset(const QString& callCode)
{
    guarded(u"Show_ConsultListReset"_s, [&] {
        const QString ccode = ConsultStore().customerOf(callCode.toUInt());
        const int row = rowOfCall(callCode);
        emit consultHistoryRequested(ccode, row >= 0 ? rowNumber(row) : currentNumber());
    });
}

void frmAS_admin4::setCategory(const QString& code, const QString& name)
{
    m_txtConsultCode->setText(code);
    m_txtConsult->setText(name);
}

QString frmAS_admin4::lookupText(QLineEdit* name, QLineEdit* code) const
{
    if (!m_editable)
        return {};
    const QString text = name->text().trimmed();
    if (text.isEmpty())
        code->clear();
    return text;
}

void frmAS_admin4::categoryEntered()
{
    const QString name = lookupText(m_txtConsult, m_txtConsultCode);
    if (name.isEmpty())
        return;
    guarded(u"txtConsult_KeyDown"_s, [&] {
        if (const QString code = ConsultStore().categoryCode(name); !code.isEmpty()) {
            setCategory(code, name);
            return;
        }
        // Part of a registered name: the category window offers the matches.
        if (ConsultStore().hasCategoriesLike(name)) {
            emit categoryPickRequested(name);
            return;
        }
        m_txtConsultCode->clear();
        if (MsgYesNo(lines({u"등록되어 있지 않은 상담분류입니다."_s, u"신규로 등록하시고 사용하시겠습니까?"_s}), u"상담분류"_s)
            != MsgAnswer::Yes)
            return;
        if (const int code = AsCodeStore().insertConsultClass(name); code != 0)
            setCategory(QString::number(code), name);
    });
}

void frmAS_admin4::productEntered()
{
    const QString text = lookupText(m_txtConsultPro, m_txtConsultProCode);
    if (text.isEmpty())
        return;
    guarded(u"txtConsultPro_KeyDown"_s, [&] {
        std::unique_ptr<RecordPicker> picker = PickerRegistry::createPicker(kFindKindProd, this);
        const int matches = picker->FindRecords(text, {});
        Pick pick;
        if (matches == 1 || (matches > 1 && picker->pickModal()))
            pick = picker->Result();
        else if (matches > 1)
            return;
        if (pick.isEmpty()) {
            const MsgAnswer answer = MsgYesNoCancel(
                lines({u"현재 입력하신 상품은 등록된 상품이 아닙니다."_s, QString(), u"<예> 신규등록"_s,
                       u"<아니오> 신규등록하지 않고 계속 입력"_s, u"<취소> 취소"_s}),
                u"상품명"_s);
            if (answer == MsgAnswer::Yes)
                pick = PickerRegistry::registerNew(kFindKindProd, this, text);
            // Kept as typed, without a product code.
            if (answer == MsgAnswer::No || pick.isEmpty()) {
                m_txtConsultProCode->clear();
                return;
            }
        }
        // The free-text product keeps the typed name and no product code.
        const bool freeText = pick.code == u"000000"_s;
        m_txtConsultPro->setText(freeText ? text : pick.name);
        m_txtConsultProCode->setText(freeText ? QString() : pick.code);
    });
}

bool frmAS_admin4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = rowToolTip(m_list->indexAt(help->pos()).row());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, m_list);
        return true;
    }
    if (watched == m_txtTalk1->viewport() && event->type() == QEvent::MouseButtonPress && !m_editable
        && !m_txtConsultSeq->text().isEmpty()) {
        MsgInfo(m_consultant.isEmpty() ? u"좌측의 수신 내역에서 상담자를 선택하세요."_s
                                       : u"자신이 선택한 수신내역만 상담정보를 수정(입력)할 수 있습니다."_s,
                u"상담자 입력"_s);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace asv
