#include "frmZipcode.h"

#include "AppError.h"
#include "ConfigKeys.h"
#include "PostImport.h"
#include "WidgetHelpers.h"
#include "ZipcodeDownload.h"
#include "ZipcodeFolder.h"
#include "ZipcodeProvinces.h"
#include "ZipcodeSettings.h"
#include "modMsgBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"frmZipcode"_s;
const QString kAll = u"전체"_s;

QLineEdit* NamedLineEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QString Lines(const QStringList& lines)
{
    return lines.join(vbCrLf);
}

const QString kInstallFile = u"주소 파일 설치"_s;

} // namespace

frmZipcode::frmZipcode(QWidget* parent, const QString& folder)
    : QDialog(parent), m_databases(folder.isEmpty() ? ZipcodeFolder::path() : folder),
      m_cmbSiDo(new QComboBox(this)), m_cmbSiGunGu(new QComboBox(this)), m_tabs(new QTabWidget(this)),
      m_txtDong(NamedLineEdit(this, u"txtDong"_s)), m_txtJibunNo(NamedLineEdit(this, u"txtJibunNo"_s)),
      m_txtRoad(NamedLineEdit(this, u"txtRoad"_s)), m_txtBildingNo(NamedLineEdit(this, u"txtBildingNo"_s)),
      m_txtBuildingName(NamedLineEdit(this, u"txtBuildingName"_s)),
      m_btnQuery(NamedButton(this, u"btnQuery"_s, u"조회"_s)), m_btnSel(NamedButton(this, u"btnSel"_s, u"선택"_s)),
      m_btnDBUpdate(NamedButton(this, u"btnDBUpdate"_s, u"최신 우편번호 업데이트"_s)),
      m_lstResult(new QListView(this)), m_result(new ZipcodeResultModel(this)), m_lblCount(new QLabel(this)),
      m_fraDownload(new QGroupBox(u"우편번호 DB 다운로드"_s, this)),
      m_chkAreaDBAll(new QCheckBox(kAll, m_fraDownload)),
      m_cmdDownloadStart(NamedButton(m_fraDownload, u"cmdDownloadStart"_s, u"다운로드 시작"_s)),
      m_prgDownload(new QProgressBar(m_fraDownload)),
      m_lblDownloading(new QLabel(u"다운로드 진행 중입니다. 잠시만 기다려주십시요..."_s, m_fraDownload))
{
    setObjectName(kForm);
    setWindowTitle(u"우편번호 검색"_s);
    m_cmbSiDo->setObjectName(u"cmbSiDo"_s);
    m_cmbSiGunGu->setObjectName(u"cmbSiGunGu"_s);
    m_tabs->setObjectName(u"tabSearch"_s);
    m_lstResult->setObjectName(u"lstResult"_s);
    m_lstResult->setModel(m_result);
    m_lstResult->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Thousands of lines for a common dong word: one height for all keeps showing them fast.
    m_lstResult->setUniformItemSizes(true);
    m_lblCount->setObjectName(u"lblCount"_s);
    m_fraDownload->setObjectName(u"fraDownload"_s);
    m_chkAreaDBAll->setObjectName(u"chkAreaDBAll"_s);
    m_prgDownload->setObjectName(u"prgDownload"_s);
    m_lblDownloading->setObjectName(u"lblDownloading"_s);

    auto* lot = new QWidget;
    auto* lotForm = new QFormLayout(lot);
    lotForm->addRow(u"읍/면/동"_s, m_txtDong);
    lotForm->addRow(u"지번"_s, m_txtJibunNo);
    m_tabs->addTab(lot, u"지번 주소"_s);
    auto* road = new QWidget;
    auto* roadForm = new QFormLayout(road);
    roadForm->addRow(u"도로명"_s, m_txtRoad);
    roadForm->addRow(u"건물번호"_s, m_txtBildingNo);
    roadForm->addRow(u"건물명"_s, m_txtBuildingName);
    m_tabs->addTab(road, u"도로명 주소"_s);

    auto* area = new QHBoxLayout;
    area->addWidget(new QLabel(u"시/도"_s));
    area->addWidget(m_cmbSiDo, 1);
    area->addWidget(new QLabel(u"시/군/구"_s));
    area->addWidget(m_cmbSiGunGu, 1);
    area->addWidget(m_btnQuery);

    auto* downloadLayout = new QVBoxLayout(m_fraDownload);
    downloadLayout->addWidget(new QLabel(Lines({u"파란색 글자로 표시된 지역은 사용자PC에 설치된 DB목록 입니다."_s,
                                                u"빨간색 글자로 표시된 지역은 구버전 DB목록 입니다."_s,
                                                u"※ 전체 다운로드시 용량이 1GB 정도 됩니다."_s})));
    auto* grid = new QGridLayout;
    grid->addWidget(m_chkAreaDBAll, 0, 0);
    for (const ZipcodeProvince& p : ZipcodeProvinces::all()) {
        auto* box = new QCheckBox(p.name, m_fraDownload);
        box->setObjectName(u"chkAreaDB"_s);
        box->setProperty("tag", p.tag);
        m_chkAreaDB.append(box);
        grid->addWidget(box, (p.index + 1) / 4, (p.index + 1) % 4);
    }
    downloadLayout->addLayout(grid);
    downloadLayout->addWidget(m_lblDownloading);
    downloadLayout->addWidget(m_prgDownload);
    auto* downloadButtons = new QHBoxLayout;
    auto* close = NamedButton(m_fraDownload, u"cmdDownloadClose"_s, u"닫기"_s);
    auto* installFile = NamedButton(m_fraDownload, u"btnInstallFile"_s, kInstallFile);
    auto* installFolder = NamedButton(m_fraDownload, u"btnInstallFolder"_s, u"주소 폴더 설치"_s);
    downloadLayout->addWidget(new QLabel(Lines({u"우체국 우편번호 DB(지역별 주소 파일)를 내려받아 두었으면"_s,
                                                u"그 zip 파일이나 txt 파일, 또는 풀어 둔 폴더를 골라 바로 설치할 수 있습니다."_s})));
    downloadButtons->addWidget(installFile);
    downloadButtons->addWidget(installFolder);
    downloadButtons->addStretch();
    downloadButtons->addWidget(m_cmdDownloadStart);
    downloadButtons->addWidget(close);
    downloadLayout->addLayout(downloadButtons);
    m_lblDownloading->hide();
    m_fraDownload->hide();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_btnDBUpdate);
    bottom->addWidget(m_lblCount, 1);
    bottom->addWidget(m_btnSel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(area);
    layout->addWidget(m_tabs);
    layout->addWidget(m_lstResult, 1);
    layout->addLayout(bottom);
    layout->addWidget(m_fraDownload);
    resize(720, 560);

    connect(m_cmbSiDo, &QComboBox::currentIndexChanged, this, &frmZipcode::FillSiGunGuData);
    for (QLineEdit* edit : {m_txtDong, m_txtJibunNo, m_txtRoad, m_txtBildingNo, m_txtBuildingName})
        connect(edit, &QLineEdit::returnPressed, this, &frmZipcode::query);
    connect(m_btnQuery, &QPushButton::clicked, this, &frmZipcode::query);
    connect(m_btnSel, &QPushButton::clicked, this, &frmZipcode::select);
    connect(m_lstResult, &QListView::doubleClicked, this, &frmZipcode::select);
    connect(m_btnDBUpdate, &QPushButton::clicked, this, &frmZipcode::askUpdate);
    connect(m_chkAreaDBAll, &QCheckBox::clicked, this, [this](bool on) {
        for (QCheckBox* box : std::as_const(m_chkAreaDB))
            box->setChecked(on);
    });
    connect(m_cmdDownloadStart, &QPushButton::clicked, this, &frmZipcode::startDownload);
    connect(close, &QPushButton::clicked, m_fraDownload, &QWidget::hide);
    connect(installFile, &QPushButton::clicked, this, [this] { installChosen(false); });
    connect(installFolder, &QPushButton::clicked, this, [this] { installChosen(true); });

    showFirstUseNotice();
    openDatabases();
    FillSiDoData();
}

std::optional<ZipcodeLookup::Address> frmZipcode::FindZipcode(QWidget* parent, const QString& text)
{
    frmZipcode finder(parent);
    finder.setSearchText(text);
    finder.exec();
    return finder.chosen();
}

void frmZipcode::setSearchText(const QString& text)
{
    m_tabs->setCurrentIndex(0);
    m_txtDong->setText(text.trimmed());
    if (m_txtDong->text().size() >= 2 && query() == 0)
        MsgInfo(u"해당 주소를 찾을 수 없습니다."_s);
}

void frmZipcode::showFirstUseNotice()
{
    if (ZipcodeSettings::FirstUseShown.get())
        return;
    MsgInfo(Lines({u"도로명 주소는 자료가 방대하기 때문에 기본적으로 서울의 일부지역만 포함되어 있습니다."_s,
                   u"[최신 우편번호 업데이트]를 클릭하여 필요한 지역을 다운로드 하셔야"_s, u"검색이 가능합니다."_s,
                   u"※ 전체 다운로드시 용량이 1GB 정도 됩니다."_s,
                   u"우체국에서 받은 주소 파일은 같은 화면의 ["_s + kInstallFile + u"]로 설치할 수 있습니다."_s}));
    ZipcodeSettings::FirstUseShown.set(true);
}

void frmZipcode::openDatabases()
{
    for (const PostDatabaseSet::OpenFailure& f : m_databases.openAll())
        MsgWarn(u"DB 연결 실패 : "_s + f.message, u"오류"_s);
}

void frmZipcode::FillSiDoData()
{
    Guarded(u"FillSiDoData"_s, u"Form"_s, kForm, 0, [&] {
        m_cmbSiDo->clear();
        m_cmbSiDo->addItem(kAll);
        for (const ZipcodeProvince& p : ZipcodeProvinces::all())
            m_cmbSiDo->addItem(p.name);
        return 0;
    });
}

void frmZipcode::FillSiGunGuData()
{
    Guarded(u"FillSiGunGuData"_s, u"Form"_s, kForm, 0, [&] {
        m_cmbSiGunGu->clear();
        m_cmbSiGunGu->addItem(kAll);
        if (const int province = m_cmbSiDo->currentIndex() - 1; province >= 0)
            m_cmbSiGunGu->addItems(m_databases.districts(province));
        return 0;
    });
}

ZipcodeSearch frmZipcode::currentSearch() const
{
    ZipcodeSearch s;
    const bool lot = m_tabs->currentIndex() == 0;
    s.tab = lot ? ZipcodeSearch::Tab::Lot : ZipcodeSearch::Tab::Road;
    s.word = lot ? m_txtDong->text() : m_txtRoad->text();
    s.number = lot ? m_txtJibunNo->text() : m_txtBildingNo->text();
    s.buildingName = lot ? QString() : m_txtBuildingName->text();
    if (m_cmbSiGunGu->currentIndex() > 0)
        s.district = m_cmbSiGunGu->currentText();
    return s;
}

std::optional<qsizetype> frmZipcode::query()
{
    return Guarded(u"btnQuery_Click"_s, u"Form"_s, kForm, std::optional<qsizetype>(), [&]() -> std::optional<qsizetype> {
        const ZipcodeSearch search = currentSearch();
        if (const QString refusal = search.refusal(); !refusal.isEmpty()) {
            MsgInfo(refusal);
            return std::nullopt;
        }
        const std::optional<int> province = provinceToSearch();
        if (!province)
            return std::nullopt;
        ZipcodeSearch scoped = search;
        if (*province < 0)
            scoped.district.clear();
        const PostDatabaseSet::Result result = m_databases.search(*province, scoped);
        showResult(search, result);
        return result.rows.size();
    });
}

std::optional<int> frmZipcode::provinceToSearch()
{
    // A new installation: no search would find anything.
    if (!m_databases.anyOpen()) {
        if (MsgYesNo(Lines({u"설치된 우편번호 주소 DB가 없습니다."_s,
                            u"[최신 우편번호 업데이트]로 내려받거나, 우체국에서 받은 주소 파일을 ["_s + kInstallFile
                                + u"]로 설치하세요."_s,
                            u"지금 설치 화면을 여시겠습니까?"_s}))
            == MsgAnswer::Yes)
            showDownloadPanel(-1);
        return std::nullopt;
    }
    const int chosen = m_cmbSiDo->currentIndex() - 1;
    const QString later = u"[아니요]를 누르시면 조회가 됩니다."_s;
    if (chosen >= 0 && m_databases.isMissing(chosen)) {
        if (MsgYesNo(Lines({u"조회 하려는 시/도 도로명 DB가 존재하지 않습니다."_s, u"다운로드를 진행 하시겠습니까?"_s, later}))
            == MsgAnswer::Yes) {
            showDownloadPanel(chosen);
            return std::nullopt;
        }
        return -1;
    }
    if (chosen >= 0 && !m_databases.isOpen(chosen)) {
        MsgWarn(u"Data Base MDB가 선언되지 않았습니다."_s, u"MDB 오류"_s);
        return std::nullopt;
    }
    // Asked once per opening: an office may well keep only its own region.
    if (chosen < 0 && !m_downloadOffered && m_databases.anyMissing()) {
        m_downloadOffered = true;
        if (MsgYesNo(Lines({u"아직 다운로드 되지 않은 도로명 주소 DB가 존재합니다."_s, u"다운로드를 진행 하시겠습니까?"_s, later}))
            == MsgAnswer::Yes) {
            showDownloadPanel(-1);
            return std::nullopt;
        }
    }
    return chosen;
}

void frmZipcode::showResult(const ZipcodeSearch& search, const PostDatabaseSet::Result& result)
{
    QStringList head;
    if (result.old) {
        head = QStringList{u"※구버전의 우편DB파일이 있습니다."_s, u"좌측 하단 [최신 우편번호 업데이트] 버튼을 눌러"_s,
                           u"우편번호를 업데이트 하시기 바랍니다."_s};
    }
    const QStringList tail = result.rows.isEmpty() ? search.notFoundLines() : QStringList();
    m_result->setResult(head, result.rows, tail);
    m_lblCount->setText(u"조회 건수: %1 건"_s.arg(result.rows.size()));
}

void frmZipcode::select()
{
    const QModelIndex line = m_lstResult->currentIndex();
    if (!line.isValid() || !m_lstResult->selectionModel()->isSelected(line)
        || line.data(ZipcodeResultModel::ZipcodeRole).isNull()) {
        MsgInfo(u"리스트에서 선택하세요."_s);
        return;
    }
    m_chosen = ZipcodeLookup::Address{line.data(ZipcodeResultModel::ZipcodeRole).toString(),
                                      line.data(ZipcodeResultModel::AddressRole).toString()};
    accept();
}

void frmZipcode::askUpdate()
{
    if (MsgYesNo(Lines({u"정말 최신 우편번호로 업데이트 하시겠습니까?"_s, u"컴퓨터환경에 따라 수분의 시간이 소요될수 있으며,"_s,
                        u"업데이트 도중 다른작업은 할 수 없습니다."_s}))
        == MsgAnswer::Yes)
        showDownloadPanel(-1);
}

void frmZipcode::showDownloadPanel(int checkedProvince)
{
    markDownloadPanel();
    if (checkedProvince >= 0)
        m_chkAreaDB[checkedProvince]->setChecked(true);
    m_fraDownload->show();
}

void frmZipcode::markDownloadPanel()
{
    for (int i = 0; i < m_chkAreaDB.size(); ++i) {
        QPalette palette = m_fraDownload->palette();
        if (!m_databases.isMissing(i))
            palette.setColor(QPalette::WindowText, m_databases.isOld(i) ? Qt::red : Qt::blue);
        m_chkAreaDB[i]->setPalette(palette);
    }
}

QList<int> frmZipcode::checkedProvinces() const
{
    QList<int> checked;
    for (int i = 0; i < m_chkAreaDB.size(); ++i) {
        if (m_chkAreaDB[i]->isChecked())
            checked << i;
    }
    return checked;
}

void frmZipcode::startDownload()
{
    const QList<int> checked = checkedProvinces();
    if (checked.isEmpty()) {
        MsgInfo(u"다운로드 할 항목에 체크를 해주세요!"_s);
        return;
    }
    QStringList names;
    for (int i : checked)
        names << ZipcodeProvinces::all()[i].name;
    const QString question =
        checked.size() == PostDatabaseSet::kProvinces
            ? Lines({u"정말 [전체] 도로명 우편번호로 업데이트 하시겠습니까?"_s,
                     u"컴퓨터환경에 따라 다르지만 대략 5 ~ 10분의 시간이 소요 될 수 있으며,"_s,
                     u"업데이트 도중 다른작업은 할 수 없습니다."_s})
            : u"정말 ["_s + names.join(u", "_s) + u"] 도로명 우편번호로 업데이트 하시겠습니까?"_s;
    if (MsgYesNo(question) != MsgAnswer::Yes)
        return;
    const QString baseUrl = ConfigKeys::ZipcodeDownloadUrl.get();
    if (baseUrl.trimmed().isEmpty()) {
        MsgWarn(Lines({u"우편번호 DB를 내려받을 주소가 설정되어 있지 않습니다."_s,
                       u"[환경설정] 화면의 [외부 프로그램 및 메일] - [우편번호 DB 내려받을 주소]에 주소를 입력하거나,"_s,
                       u"내려받아 둔 주소 파일을 ["_s + kInstallFile + u"]로 설치하세요."_s}));
        return;
    }

    m_databases.closeAll();
    m_lblDownloading->show();
    m_cmdDownloadStart->setEnabled(false);
    m_prgDownload->setRange(0, static_cast<int>(checked.size()));
    m_prgDownload->setValue(0);
    ZipcodeDownload download(baseUrl, m_databases.folder());
    QStringList failed;
    QString lastError;
    for (int i : checked) {
        const ZipcodeProvince& p = ZipcodeProvinces::all()[i];
        // Keeps the panel painted; the operator's input waits, as the question said.
        const auto keepPainted = [](qint64, qint64) { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
        if (!download.install(p, keepPainted)) {
            failed << ZipcodeDownload::zipName(p);
            lastError = download.error();
        }
        m_prgDownload->setValue(m_prgDownload->value() + 1);
    }
    m_lblDownloading->hide();
    m_cmdDownloadStart->setEnabled(true);
    reopenDatabases();

    if (failed.isEmpty()) {
        MsgInfo(u"우편번호 최신 업데이트가 정상적으로 완료 되었습니다."_s);
        return;
    }
    QStringList lines{u"우편번호 최신 업데이트 실패하였습니다."_s};
    if (checked.size() == 1)
        lines << failed.first() + u" 파일이 존재하지 않습니다."_s << u"제조사에 문의해 주시기 바랍니다."_s;
    else
        lines << failed.join(u", "_s);
    lines << u"("_s + lastError + u')';
    MsgWarn(Lines(lines));
}

void frmZipcode::reopenDatabases()
{
    openDatabases();
    markDownloadPanel();
    FillSiGunGuData();
    m_downloadOffered = false;
}

void frmZipcode::installChosen(bool folder)
{
    const QString path = folder ? QFileDialog::getExistingDirectory(this, u"주소 파일이 있는 폴더 선택"_s)
                                : QFileDialog::getOpenFileName(this, u"주소 파일 선택"_s, {},
                                                               u"우편번호 주소 파일 (*.zip *.txt *.mdb);;모든 파일 (*)"_s);
    if (!path.isEmpty())
        install(path);
}

void frmZipcode::install(const QString& path)
{
    m_databases.closeAll();
    m_lblDownloading->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    PostImport import(m_databases.folder());
    QString failure;
    try {
        import.importAny(path);
    } catch (const AppError& e) {
        failure = e.description();
    }
    m_lblDownloading->hide();
    reopenDatabases();
    if (!failure.isEmpty()) {
        MsgWarn(Lines({u"우편번호 주소 설치에 실패했습니다."_s, u"설치된 주소는 그대로 남아 있습니다."_s, failure}));
        return;
    }
    QStringList installed;
    for (auto it = import.rowsByProvince().cbegin(); it != import.rowsByProvince().cend(); ++it)
        installed << u"%1 %2건"_s.arg(ZipcodeProvinces::all()[it.key()].name).arg(it.value());
    MsgInfo(Lines({u"우편번호 주소 설치가 완료되었습니다."_s, installed.join(u", "_s)}));
}

} // namespace asv
