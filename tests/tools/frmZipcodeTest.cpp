#include "ConfigKeys.h"
#include "Paths.h"
#include "PostDatabase.h"
#include "PostFixture.h"
#include "ScriptedPrompter.h"
#include "ZipcodeSettings.h"
#include "frmZipcode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

namespace {

using Kind = ScriptedPrompter::Kind;

// Seoul and Busan are installed; the other provinces are not.
class frmZipcodeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Paths::setProgramFolder(m_home.path());
        ZipcodeSettings::FirstUseShown.set(true);
        const QString text = m_home.filePath(u"post.txt"_s);
        WriteFile(text, PostText(SeoulRows() + BusanRows()).toUtf8());
        PostImport(dbs()).importText(text);
        setVersion(u"dbPost_Seoul.db"_s, u"2024-07-01"_s);
        setVersion(u"dbPost_Busan.db"_s, u"2024-07-01"_s);
    }

    QString dbs() const { return m_home.filePath(u"DBS"_s); }
    void setVersion(const QString& file, const QString& ver) { PostDatabase(dbs() + u'/' + file, true).setVersion(ver); }

    template <typename T>
    T* child(const QString& name) const
    {
        T* w = m_form->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    frmZipcode& form()
    {
        if (!m_form)
            m_form = std::make_unique<frmZipcode>(nullptr, dbs());
        return *m_form;
    }
    // Types the word into the tab's field and presses the query button; the list's lines.
    QStringList query(int tab, const QString& word, const QString& number = {}, int province = 0)
    {
        form();
        child<QComboBox>(u"cmbSiDo"_s)->setCurrentIndex(province);
        child<QTabWidget>(u"tabSearch"_s)->setCurrentIndex(tab);
        child<QLineEdit>(tab == 0 ? u"txtDong"_s : u"txtRoad"_s)->setText(word);
        child<QLineEdit>(tab == 0 ? u"txtJibunNo"_s : u"txtBildingNo"_s)->setText(number);
        child<QPushButton>(u"btnQuery"_s)->click();
        return lines();
    }
    QStringList lines() const
    {
        QStringList all;
        const QAbstractItemModel* lines = child<QListView>(u"lstResult"_s)->model();
        for (int i = 0; i < lines->rowCount(); ++i)
            all << lines->index(i, 0).data().toString();
        return all;
    }
    QString count() const { return child<QLabel>(u"lblCount"_s)->text(); }

    QTemporaryDir m_home;
    ScriptedPrompter m_prompter;
    std::unique_ptr<frmZipcode> m_form;
};

// A web server on loopback serving one folder.
class FolderServer {
public:
    explicit FolderServer(const QString& folder)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
        probe.close();
        m_process.start(u"/usr/bin/python3"_s, {u"-m"_s, u"http.server"_s, QString::number(m_port), u"--bind"_s,
                                                u"127.0.0.1"_s, u"--directory"_s, folder});
        for (int i = 0; i < 100; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, m_port);
            if (s.waitForConnected(100))
                return;
            QThread::msleep(50);
        }
    }
    ~FolderServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QString url() const { return u"http://127.0.0.1:%1/zip"_s.arg(m_port); }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

constexpr int kLotTab = 0;
constexpr int kRoadTab = 1;

} // namespace

TEST_F(frmZipcodeTest, RefusesShortWordsAndNumbersThatAreNotNumbers)
{
    struct Case {
        int tab;
        QString word;
        QString number;
        QString message;
    };
    const QList<Case> cases{
        {kLotTab, u" "_s, {}, u"[읍/면/동] 검색어를 입력하세요."_s},
        {kLotTab, u"가"_s, {}, u"[읍/면/동]을 2자 이상 검색어를 입력하세요."_s},
        {kLotTab, u"가온"_s, u"1-"_s, u"지번주소는 숫자 형식만 입력 해야 합니다. 확인 해주세요!"_s},
        {kLotTab, u"가온"_s, u"산12"_s, u"지번주소는 숫자 형식만 입력 해야 합니다. 확인 해주세요!"_s},
        {kRoadTab, u""_s, {}, u"[도로명]을 2자 이상 검색어를 입력하세요."_s},
        {kRoadTab, u"별"_s, {}, u"[도로명]을 2자 이상 검색어를 입력하세요."_s},
        {kRoadTab, u"별빛로"_s, u"12-3-4"_s, u"건물번호는 숫자 형식만 입력 해야 합니다. 확인 해주세요!"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word.toStdString() + " " + c.number.toStdString());
        m_prompter.clear();
        EXPECT_TRUE(query(c.tab, c.word, c.number).isEmpty());
        EXPECT_EQ(m_prompter.texts(), QStringList{c.message});
    }
}

TEST_F(frmZipcodeTest, AllProvincesSearchesThoseInstalledAndOffersTheRestOnce)
{
    m_prompter.answer(MsgAnswer::No);
    const QStringList found = query(kLotTab, u"가온"_s);
    ASSERT_EQ(m_prompter.count(Kind::YesNo), 1);
    EXPECT_TRUE(m_prompter.texts().first().startsWith(u"아직 다운로드 되지 않은 도로명 주소 DB가 존재합니다."_s));
    EXPECT_EQ(found, (QStringList{u"도로명  04500  서울특별시 가온구 별빛로 12 (가온동, 별빛타워)"_s,
                                  u"지  번         서울특별시 가온구 가온동 101-3  행정동: 가온1동"_s,
                                  u"도로명  48000  부산광역시 물결구 파도로 5 (가온동)"_s,
                                  u"지  번         부산광역시 물결구 가온동 17  행정동: 가온동"_s}));
    EXPECT_EQ(count(), u"조회 건수: 2 건"_s);

    query(kLotTab, u"가온"_s);
    EXPECT_EQ(m_prompter.count(Kind::YesNo), 1) << "asked once per opening";
    EXPECT_EQ(m_prompter.unanswered(), 0);

    // A chosen province without its file: No searches the files there are.
    m_prompter.answer(MsgAnswer::No);
    EXPECT_EQ(query(kLotTab, u"가온"_s, {}, 3).size(), 4);
    EXPECT_TRUE(m_prompter.texts().last().startsWith(u"조회 하려는 시/도 도로명 DB가 존재하지 않습니다."_s));

    // Data before the day of the new addresses is old.
    const QString notice = u"※구버전의 우편DB파일이 있습니다."_s;
    EXPECT_FALSE(query(kLotTab, u"가온"_s).contains(notice));
    setVersion(u"dbPost_Busan.db"_s, u"2015-08-06"_s);
    EXPECT_EQ(query(kLotTab, u"가온"_s).first(), notice);
    EXPECT_FALSE(query(kLotTab, u"가온"_s, {}, 1).contains(notice)) << "only Seoul searched";
}

TEST_F(frmZipcodeTest, ADigitWordIsAZipcodeAFullStopFindsTheMiddleDotAndDistrictsNarrow)
{
    m_prompter.answer(MsgAnswer::No);
    // The dong "가온" would match any prefix; digits look up the zipcode only.
    // Typed as people write it too: a hyphen, blanks, full-width digits.
    for (const QString& typed : {u"04501"_s, u"045-01"_s, u" 045 01 "_s, u"０４５０１"_s}) {
        const QStringList byZipcode = query(kLotTab, typed);
        ASSERT_EQ(byZipcode.size(), 2) << typed.toStdString();
        EXPECT_TRUE(byZipcode[0].startsWith(u"도로명  04501  "_s));
    }

    EXPECT_EQ(query(kRoadTab, u"솔.바람길"_s),
              (QStringList{u"도로명  04502  서울특별시 다솜구 솔·바람길 3 (다솜동)"_s,
                           u"지  번         서울특별시 다솜구 다솜동 9  행정동: 다솜동"_s}));
    EXPECT_EQ(query(kRoadTab, u"별빛로"_s, u"12"_s).size(), 2);
    EXPECT_EQ(query(kRoadTab, u"별빛로"_s, u"13"_s),
              (QStringList{u"해당 주소를 찾을 수 없습니다."_s, u"검색어 : 별빛로"_s, u"건물번호 : 13"_s}));
    EXPECT_EQ(count(), u"조회 건수: 0 건"_s);

    // The districts of the province narrow the search.
    auto* districts = child<QComboBox>(u"cmbSiGunGu"_s);
    child<QComboBox>(u"cmbSiDo"_s)->setCurrentIndex(1);
    EXPECT_EQ(districts->count(), 3);
    EXPECT_EQ(districts->itemText(2), u"다솜구"_s);
    districts->setCurrentIndex(2);
    child<QTabWidget>(u"tabSearch"_s)->setCurrentIndex(kLotTab);
    child<QLineEdit>(u"txtDong"_s)->setText(u"가온"_s);
    child<QPushButton>(u"btnQuery"_s)->click();
    EXPECT_EQ(count(), u"조회 건수: 0 건"_s);
    districts->setCurrentIndex(1);
    child<QPushButton>(u"btnQuery"_s)->click();
    EXPECT_EQ(count(), u"조회 건수: 1 건"_s);
}

TEST_F(frmZipcodeTest, FirstOpeningAndOpenedOnTheEditorsTextItSaysWhatIsMissingAndReturnsTheChosenLine)
{
    // The first opening tells what must be downloaded, once.
    ZipcodeSettings::FirstUseShown.set(false);
    frmZipcode first(nullptr, dbs());
    EXPECT_TRUE(m_prompter.texts(Kind::Info).value(0).startsWith(u"도로명 주소는 자료가 방대하기 때문에"_s));
    EXPECT_EQ(ZipcodeSettings::FirstUseShown.text(), u"1"_s);
    m_prompter.clear();

    m_prompter.answer(MsgAnswer::No); // the download of the missing provinces
    form().setSearchText(u" 없는동 "_s);
    EXPECT_EQ(m_prompter.texts(Kind::Info), QStringList{u"해당 주소를 찾을 수 없습니다."_s});
    EXPECT_EQ(child<QLineEdit>(u"txtDong"_s)->text(), u"없는동"_s) << "kept for the operator to correct";

    m_prompter.clear();
    form().setSearchText(u"나래"_s);
    form().setSearchText(u"가"_s);
    EXPECT_TRUE(m_prompter.texts().isEmpty()) << m_prompter.texts().join(u"|"_s).toStdString();
    EXPECT_EQ(count(), u"조회 건수: 1 건"_s);

    child<QPushButton>(u"btnSel"_s)->click();
    EXPECT_EQ(m_prompter.texts().last(), u"리스트에서 선택하세요."_s);
    EXPECT_FALSE(form().chosen());
    auto* list = child<QListView>(u"lstResult"_s);
    list->setCurrentIndex(list->model()->index(1, 0));
    emit list->doubleClicked(list->currentIndex());
    ASSERT_TRUE(form().chosen());
    EXPECT_EQ(form().chosen()->zipcode, u"04501"_s);
    EXPECT_EQ(form().chosen()->addr1, u"서울특별시 가온구 나래동 산 55"_s);
    EXPECT_EQ(form().result(), QDialog::Accepted);
}

TEST_F(frmZipcodeTest, ADownloadedProvinceIsInstalledAndSearchedButNothingIsFetchedWithoutAnAddress)
{
    // The server's Incheon archive holds a province file made by the importer.
    QTemporaryDir web;
    const QString made = web.filePath(u"made"_s);
    WriteFile(web.filePath(u"incheon.txt"_s), PostText(IncheonRows()).toUtf8());
    PostImport(made).importText(web.filePath(u"incheon.txt"_s));
    QFile db(made + u"/dbPost_Incheon.db"_s);
    ASSERT_TRUE(db.open(QIODevice::ReadOnly));
    QDir(web.path()).mkdir(u"zip"_s);
    WriteZip(web.filePath(u"zip/dbPost_Incheon.zip"_s), {{"dbPost_Incheon.db", db.readAll()}});
    const auto province = [this](int index) { return form().findChildren<QCheckBox*>(u"chkAreaDB"_s).at(index); };
    const auto installed = [this] { return QDir(dbs()).entryList(QDir::Files); };

    form().findChild<QCheckBox*>(u"chkAreaDBAll"_s)->click();
    m_prompter.answer(MsgAnswer::Yes);
    child<QPushButton>(u"cmdDownloadStart"_s)->click();
    EXPECT_TRUE(m_prompter.texts().first().startsWith(u"정말 [전체] 도로명 우편번호로 업데이트 하시겠습니까?"_s));
    EXPECT_TRUE(m_prompter.texts().last().contains(u"[우편번호 DB 내려받을 주소]"_s));
    EXPECT_EQ(installed(), QStringList({u"dbPost_Busan.db"_s, u"dbPost_Seoul.db"_s}));
    form().findChild<QCheckBox*>(u"chkAreaDBAll"_s)->click();
    m_prompter.clear();

    FolderServer server(web.path());
    ConfigKeys::ZipcodeDownloadUrl.set(server.url());
    frmZipcode& form = this->form();

    m_prompter.answer(MsgAnswer::Yes);
    form.findChild<QPushButton*>(u"btnDBUpdate"_s)->click();
    EXPECT_TRUE(form.findChild<QGroupBox*>(u"fraDownload"_s)->isVisibleTo(&form));
    const QColor uninstalled = province(2)->palette().color(QPalette::WindowText);

    child<QPushButton>(u"cmdDownloadStart"_s)->click();
    EXPECT_EQ(m_prompter.texts().last(), u"다운로드 할 항목에 체크를 해주세요!"_s);

    province(2)->setChecked(true);
    m_prompter.answer(MsgAnswer::Yes);
    child<QPushButton>(u"cmdDownloadStart"_s)->click();
    const QStringList said = m_prompter.texts();
    ASSERT_GE(said.size(), 2);
    EXPECT_EQ(said[said.size() - 2], u"정말 [인천광역시] 도로명 우편번호로 업데이트 하시겠습니까?"_s);
    EXPECT_EQ(said.last(), u"우편번호 최신 업데이트가 정상적으로 완료 되었습니다."_s);
    const QStringList three{u"dbPost_Busan.db"_s, u"dbPost_Incheon.db"_s, u"dbPost_Seoul.db"_s};
    EXPECT_EQ(installed(), three) << "the zip is gone";
    EXPECT_EQ(province(2)->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_NE(uninstalled, QColor(Qt::blue));

    EXPECT_EQ(query(kLotTab, u"포구"_s, {}, 3).size(), 2);

    // A province the server does not have.
    province(2)->setChecked(false);
    province(7)->setChecked(true);
    m_prompter.answer(MsgAnswer::Yes);
    child<QPushButton>(u"cmdDownloadStart"_s)->click();
    EXPECT_TRUE(m_prompter.texts().last().startsWith(
        u"우편번호 최신 업데이트 실패하였습니다.\r\ndbPost_Ulsan.zip 파일이 존재하지 않습니다."_s));
    EXPECT_EQ(installed(), three);
}

// A new installation has no province file: the finder says so, and installs the postal service's
// files chosen in its own file dialog.
TEST_F(frmZipcodeTest, WithNothingInstalledItSaysSoAndInstallsAFileOrFolderChosenInTheFinder)
{
    QDir(dbs()).removeRecursively();
    frmZipcode& form = this->form();
    m_prompter.answer(MsgAnswer::No);
    EXPECT_TRUE(query(kLotTab, u"가온"_s).isEmpty());
    ASSERT_EQ(m_prompter.texts().size(), 1);
    EXPECT_TRUE(m_prompter.texts().first().startsWith(u"설치된 우편번호 주소 DB가 없습니다."_s));
    EXPECT_FALSE(child<QGroupBox>(u"fraDownload"_s)->isVisibleTo(&form));
    m_prompter.answer(MsgAnswer::Yes);
    child<QPushButton>(u"btnQuery"_s)->click();
    EXPECT_TRUE(child<QGroupBox>(u"fraDownload"_s)->isVisibleTo(&form));

    // The file dialog is the finder's own: a zip of province text files is chosen in it.
    const QString zip = m_home.filePath(u"주소DB.zip"_s);
    WriteZip(zip, {{"서울특별시.txt", PostText(SeoulRows()).toUtf8()}});
    const auto choose = [](const QString& path) {
        QTimer::singleShot(0, [path] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept(); // the file dialog's own accept is protected
            }
        });
    };
    m_prompter.clear();
    choose(zip);
    child<QPushButton>(u"btnInstallFile"_s)->click();
    EXPECT_EQ(QDir(dbs()).entryList(QDir::Files), QStringList{u"dbPost_Seoul.db"_s});
    EXPECT_TRUE(m_prompter.texts().last().startsWith(u"우편번호 주소 설치가 완료되었습니다."_s))
        << m_prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(query(kLotTab, u"가온"_s, {}, 1).size(), 2);

    // A folder of text files adds its provinces; a broken file changes nothing and says why.
    const QString folder = m_home.filePath(u"busan"_s);
    QDir().mkpath(folder);
    WriteFile(folder + u"/부산광역시.txt"_s, PostText(BusanRows()).toUtf8());
    choose(folder);
    child<QPushButton>(u"btnInstallFolder"_s)->click();
    EXPECT_EQ(QDir(dbs()).entryList(QDir::Files), (QStringList{u"dbPost_Busan.db"_s, u"dbPost_Seoul.db"_s}));
    WriteFile(m_home.filePath(u"broken.txt"_s), "우편번호|시도\n12345|서울특별시\n");
    choose(m_home.filePath(u"broken.txt"_s));
    m_prompter.clear();
    child<QPushButton>(u"btnInstallFile"_s)->click();
    EXPECT_TRUE(m_prompter.texts().last().startsWith(u"우편번호 주소 설치에 실패했습니다."_s));
    EXPECT_EQ(QDir(dbs()).entryList(QDir::Files), (QStringList{u"dbPost_Busan.db"_s, u"dbPost_Seoul.db"_s}));
    EXPECT_EQ(query(kLotTab, u"가온"_s, {}, 1).size(), 2) << "the installed provinces stay searchable";
}
