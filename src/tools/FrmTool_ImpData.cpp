#include "FrmTool_ImpData.h"

#include "AppError.h"
#include "Clock.h"
#include "CustomerImport.h"
#include "Grid.h"
#include "Paths.h"
#include "RecordSet.h"
#include "SpreadsheetReader.h"
#include "UserSettings.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmTool_ImpData"_s;
const QString kSection = u"DataImp"_s;
const QString kSeparator = u"------------------------------------"_s;

// "A", "B", ... "Z", "AA", ...: the sheet's own column names.
QString columnLetters(int col)
{
    QString name;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

QString nowText()
{
    return Clock::now().toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

} // namespace

FrmTool_ImpData::FrmTool_ImpData(QWidget* parent)
    : QWidget(parent), m_txtPathExcel(new QLineEdit(this)), m_cmbSheet(new QComboBox(this)), m_spList(new Grid(this)),
      m_txtStartRow(new QLineEdit(u"2"_s, this)), m_txtEndRow(new QLineEdit(this)), m_lblDataCount(new QLabel(u"0"_s, this)),
      m_pgbImport(new QProgressBar(this)), m_txtLog(new QPlainTextEdit(this)),
      m_btnImport(NamedButton(this, u"btnImport"_s, u"가져오기"_s))
{
    setObjectName(kForm);
    setWindowTitle(u"고객자료 가져오기"_s);
    m_txtPathExcel->setObjectName(u"txtPathExcel"_s);
    m_cmbSheet->setObjectName(u"cmbSheet"_s);
    m_spList->setObjectName(u"spList"_s);
    m_txtStartRow->setObjectName(u"txtStartRow"_s);
    m_txtEndRow->setObjectName(u"txtEndRow"_s);
    m_txtStartRow->setValidator(new QIntValidator(1, 1 << 24, m_txtStartRow));
    m_txtEndRow->setValidator(new QIntValidator(1, 1 << 24, m_txtEndRow));
    m_lblDataCount->setObjectName(u"lblDataCount"_s);
    m_pgbImport->setObjectName(u"pgbImport"_s);
    m_pgbImport->setValue(0);
    m_txtLog->setObjectName(u"txtLog"_s);
    m_txtLog->setReadOnly(true);
    m_spList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* btnGetXLSFile = NamedButton(this, u"btnGetXLSFile"_s, u"파일선택"_s);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(u"엑셀파일"_s, this));
    fileRow->addWidget(m_txtPathExcel, 1);
    fileRow->addWidget(btnGetXLSFile);
    fileRow->addWidget(new QLabel(u"시트"_s, this));
    fileRow->addWidget(m_cmbSheet);

    auto* fieldsForm = new QFormLayout;
    for (qsizetype i = 0; i < CustomerImport::fields().size(); ++i) {
        auto* chooser = new QComboBox(this);
        chooser->setObjectName(u"cmbColumn"_s + QString::number(i));
        m_cmbColumn.append(chooser);
        fieldsForm->addRow(CustomerImport::fields()[i].label, chooser);
    }
    m_cmbColumn[CustomerImport::kCodeField]->setToolTip(
        u"지정하지 않으면 거래처 등록에서처럼 코드가 자동으로 매겨집니다."_s);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_txtStartRow);
    rangeRow->addWidget(new QLabel(u"~"_s, this));
    rangeRow->addWidget(m_txtEndRow);
    fieldsForm->addRow(u"가져올 행"_s, rangeRow);
    fieldsForm->addRow(u"가져온 자료"_s, m_lblDataCount);
    fieldsForm->addRow(m_btnImport);

    auto* body = new QGridLayout;
    body->addWidget(m_spList, 0, 0);
    body->addLayout(fieldsForm, 0, 1);
    body->addWidget(m_txtLog, 1, 0, 1, 2);
    body->setColumnStretch(0, 1);
    body->setRowStretch(0, 3);
    body->setRowStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(body, 1);
    layout->addWidget(m_pgbImport);

    connect(btnGetXLSFile, &QPushButton::clicked, this, &FrmTool_ImpData::chooseFile);
    connect(m_txtPathExcel, &QLineEdit::textChanged, this,
            [](const QString& path) { UserSettings::set(kSection, u"ExcelFilePath"_s, path); });
    connect(m_txtPathExcel, &QLineEdit::returnPressed, this, &FrmTool_ImpData::loadFile);
    connect(m_cmbSheet, &QComboBox::activated, this, [this](int index) {
        UserSettings::set(kSection, u"SheetIdx"_s, index);
        loadSheet();
    });
    connect(m_btnImport, &QPushButton::clicked, this, &FrmTool_ImpData::importData);

    const QSignalBlocker quiet(m_txtPathExcel);
    m_txtPathExcel->setText(UserSettings::get(kSection, u"ExcelFilePath"_s));
    loadFile();
}

FrmTool_ImpData::~FrmTool_ImpData() = default;

void FrmTool_ImpData::chooseFile()
{
    const QString start = QFileInfo(m_txtPathExcel->text()).absolutePath();
    const QString file = QFileDialog::getOpenFileName(
        this, u"엑셀파일 선택"_s, start,
        u"엑셀·CSV 파일 (*.xls *.xlsx *.csv);;엑셀 97-2003 파일 (*.xls);;엑셀 파일 (*.xlsx);;CSV 파일 (*.csv)"_s);
    if (file.isEmpty())
        return;
    m_txtPathExcel->setText(file);
    loadFile();
}

void FrmTool_ImpData::showOpenFailure(long number, const QString& description)
{
    if (number == SpreadsheetReader::kNotSpreadsheet) {
        MsgInfo(QStringList{u"엑셀파일이 아니거나, 지원되지 않는 버전입니다."_s,
                            u"만약 엑셀파일이 맞다면, 엑셀에서 [다른이름으로 저장]을 통하여"_s,
                            u"[Microsoft Excel 3.0 워크시트] 이하 버전으로 만들어 주세요."_s,
                            u"4.0 이상은 지원되지 않습니다."_s}
                    .join(vbCrLf));
    } else if (number == SpreadsheetReader::kCannotOpen) {
        // The reader says why (in use, no permission, a password) where the standard text guesses.
        MsgInfo(u"파일을 열수 없습니다. 열려있는 엑셀파일을 닫아 주세요."_s + vbCrLf + vbCrLf + description);
    } else {
        const QString head = u"엑셀파일의 정보를 알수 없습니다."_s;
        MsgInfo(description.startsWith(head) ? description : head + vbCrLf + description);
    }
}

void FrmTool_ImpData::loadFile()
{
    const QString path = m_txtPathExcel->text();
    if (!QFileInfo(path).isFile())
        return;
    Guarded(u"Form_Load"_s, u"Form"_s, kForm, 0, [&] {
        try {
            m_reader = SpreadsheetReader::open(path);
        } catch (const AppError& e) {
            m_reader.reset();
            showOpenFailure(e.number(), e.description());
            return 0;
        }
        const QSignalBlocker quiet(m_cmbSheet);
        m_cmbSheet->clear();
        m_cmbSheet->addItems(m_reader->sheetNames());
        const int remembered = UserSettings::get(kSection, u"SheetIdx"_s, u"0"_s).toInt();
        m_cmbSheet->setCurrentIndex(remembered >= 0 && remembered < m_cmbSheet->count() ? remembered : 0);
        loadSheet();
        return 0;
    });
}

void FrmTool_ImpData::loadSheet()
{
    if (!m_reader)
        return;
    m_lblDataCount->setText(u"0"_s);
    QString outcome;
    try {
        m_cells = m_reader->readSheet(m_cmbSheet->currentIndex());
        outcome = u"%1행을 읽었습니다."_s.arg(m_cells.size());
    } catch (const AppError& e) {
        m_cells.clear();
        outcome = e.description();
        MsgInfo(u"엑셀파일 불러오기를 실패했습니다."_s + vbCrLf + u"(Error %1: %2) , 엑셀파일내 빈 시트가 있을 경우 삭제해 주세요."_s
                                                              .arg(e.number())
                                                              .arg(e.description()));
    }
    // The grid's import log of old, kept for whoever looks there after a failed load.
    QFile logFile(Paths::file(u"ILOGFILE.TXT"_s));
    if (logFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        logFile.write((nowText() + u' ' + m_txtPathExcel->text() + u" ["_s + m_cmbSheet->currentText() + u"] "_s + outcome
                       + u'\n')
                          .toUtf8());

    const int width = m_cells.isEmpty() ? 0 : static_cast<int>(m_cells.first().size());
    QStringList letters;
    for (int c = 0; c < width; ++c)
        letters << columnLetters(c);
    // The rows carry no values of their own: the columns read the sheet's cells, which may hold
    // characters the database's code page (and so a record set) cannot.
    auto rs = std::make_shared<RecordSet>();
    for (qsizetype r = 0; r < m_cells.size(); ++r)
        rs->appendTextRow({});
    rs->finish();
    m_spList->setColumns(letters);
    for (int c = 0; c < width; ++c)
        m_spList->cells().bindColumn(c, [this, c](const RecordSet&, int row) { return m_cells.value(row).value(c); });
    m_spList->cells().setRecordSet(rs);

    for (QComboBox* chooser : m_cmbColumn) {
        const int chosen = chooser->currentIndex();
        chooser->clear();
        chooser->addItems(letters);
        chooser->setCurrentIndex(chosen < width ? chosen : -1);
    }
}

void FrmTool_ImpData::log(const QString& line)
{
    m_txtLog->appendPlainText(line);
}

void FrmTool_ImpData::importData()
{
    QComboBox* nameChooser = m_cmbColumn[CustomerImport::kNameField];
    if (nameChooser->currentIndex() < 0) {
        MsgInfo(u"고객명은 필수입니다. 필드를 지정하세요."_s);
        nameChooser->setFocus();
        return;
    }
    const QString question =
        QStringList{u"백업필수!!"_s,
                    QString(),
                    u"사용자가 필드를 잘못 지정하는 경우 또는 잘못된 데이터의 입력으로"_s,
                    u"처리도중 문제가 발생하는 경우가 있을수 있습니다."_s,
                    u"잘못처리된 자료는 복원 기능이 없으며 A/S 또한 어렵습니다."_s,
                    u"항상 백업후 [가져오기]를 하시고, 문제발생시 백업DB로 복원하시기 바랍니다."_s,
                    QString(),
                    u"지금 가져오기를 시작하시겠습니까?"_s}
            .join(vbCrLf);
    if (MsgYesNo(question) != MsgAnswer::Yes)
        return;

    QList<int> columns;
    for (QComboBox* chooser : m_cmbColumn)
        columns << chooser->currentIndex();
    CustomerImport import(m_cells, columns);
    const int first = std::max(1, m_txtStartRow->text().toInt());
    const int last = m_txtEndRow->text().trimmed().isEmpty() ? import.lastRowWithData() : m_txtEndRow->text().toInt();

    m_btnImport->setEnabled(false);
    m_txtLog->clear();
    log(u"자료검사중..."_s);
    const bool checked = Guarded(u"ImportExl"_s, u"Form"_s, kForm, false, [&] {
        const QStringList problems = import.check(first, last);
        for (const QString& line : problems)
            log(line);
        if (problems.isEmpty()
            || MsgYesNo(u"자료검사도중 문제가 발견되었습니다."_s + vbCrLf + u"그래도 가져오기를 하시겠습니까?"_s)
                == MsgAnswer::Yes)
            return true;
        log(u"작업중단!"_s);
        return false;
    });
    if (!checked) {
        m_btnImport->setEnabled(true);
        return;
    }

    log(kSeparator);
    log(u"가져오기작업 시작 "_s + nowText());
    m_pgbImport->setRange(0, std::max(0, last - first + 1));
    m_pgbImport->setValue(0);
    int done = 0;
    int imported = 0;
    // The list, the count and the bar are brought up to date once per step: a signal and a
    // repaint per row cost as much as the import's own work at a hundred thousand rows.
    const auto showProgress = [&] {
        m_pgbImport->setValue(done);
        m_lblDataCount->setText(QString::number(imported));
        m_spList->viewport()->update();
    };
    CustomerImport::Listener listener;
    listener.log = [this](const QString& line) { log(line); };
    listener.rowDone = [&](int) {
        if (++done % CustomerImport::kRowsPerStatement == 0) {
            showProgress();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };
    listener.imported = [&](int row) {
        m_spList->cells().setRowColors(row - 1, Qt::black, QColor(0xCC, 0xFF, 0xCC));
        ++imported;
    };
    QSignalBlocker quietList(&m_spList->cells());
    const bool completed = Guarded(u"ImportExl"_s, u"Form"_s, kForm, false, [&] {
        const CustomerImport::Result result = import.run(first, last, listener);
        log(u"%1건의 자료를 가져오기 하였습니다."_s.arg(result.imported));
        if (result.passedOver > 0)
            log(u"%1건은 위의 문제로 가져오지 않았습니다."_s.arg(result.passedOver));
        return true;
    });
    quietList.unblock();
    showProgress();
    log(kSeparator);
    log(u"가져오기작업 종료 "_s + nowText());
    log(kSeparator);
    m_btnImport->setEnabled(true);
    MsgInfo(completed ? u"가져오기가 완료되었습니다."_s : u"가져오기가 실패하였습니다."_s);
}

} // namespace asv
