#include "Paths.h"
#include "PostFixture.h"
#include "ScriptedPrompter.h"
#include "ZipcodeSettings.h"
#include "frmZipcode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

namespace {

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

class ZipcodeDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Paths::setProgramFolder(m_home.path());
        ZipcodeSettings::FirstUseShown.set(true);
        // The server's Incheon archive holds a province file made by the importer.
        const QString made = m_web.filePath(u"made"_s);
        const QString text = m_web.filePath(u"incheon.txt"_s);
        WriteFile(text, PostText(IncheonRows()).toUtf8());
        PostImport(made).importText(text);
        QFile db(made + u"/dbPost_Incheon.db"_s);
        ASSERT_TRUE(db.open(QIODevice::ReadOnly));
        QDir(m_web.path()).mkdir(u"zip"_s);
        WriteZip(m_web.filePath(u"zip/dbPost_Incheon.zip"_s), {{"dbPost_Incheon.db", db.readAll()}});
    }

    QString dbs() const { return m_home.filePath(u"DBS"_s); }
    QCheckBox* province(frmZipcode& form, int index)
    {
        return form.findChildren<QCheckBox*>(u"chkAreaDB"_s).at(index);
    }

    QTemporaryDir m_home;
    QTemporaryDir m_web;
    ScriptedPrompter m_prompter;
};

} // namespace

TEST_F(ZipcodeDownloadTest, ADownloadedProvinceIsInstalledAndSearched)
{
    FolderServer server(m_web.path());
    ZipcodeSettings::DownloadUrl.set(server.url());
    frmZipcode form(nullptr, dbs());

    m_prompter.answer(MsgAnswer::Yes);
    form.findChild<QPushButton*>(u"btnDBUpdate"_s)->click();
    EXPECT_TRUE(form.findChild<QGroupBox*>(u"fraDownload"_s)->isVisibleTo(&form));
    const QColor uninstalled = province(form, 2)->palette().color(QPalette::WindowText);

    form.findChild<QPushButton*>(u"cmdDownloadStart"_s)->click();
    EXPECT_EQ(m_prompter.texts().last(), u"다운로드 할 항목에 체크를 해주세요!"_s);

    province(form, 2)->setChecked(true);
    m_prompter.answer(MsgAnswer::Yes);
    form.findChild<QPushButton*>(u"cmdDownloadStart"_s)->click();
    const QStringList said = m_prompter.texts();
    ASSERT_GE(said.size(), 2);
    EXPECT_EQ(said[said.size() - 2], u"정말 [인천광역시] 도로명 우편번호로 업데이트 하시겠습니까?"_s);
    EXPECT_EQ(said.last(), u"우편번호 최신 업데이트가 정상적으로 완료 되었습니다."_s);
    EXPECT_EQ(QDir(dbs()).entryList(QDir::Files), QStringList{u"dbPost_Incheon.db"_s}) << "the zip is gone";
    EXPECT_EQ(province(form, 2)->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_NE(uninstalled, QColor(Qt::blue));

    form.findChild<QComboBox*>(u"cmbSiDo"_s)->setCurrentIndex(3);
    form.findChild<QLineEdit*>(u"txtDong"_s)->setText(u"포구"_s);
    form.findChild<QPushButton*>(u"btnQuery"_s)->click();
    EXPECT_EQ(form.findChild<QListView*>(u"lstResult"_s)->model()->rowCount(), 2);

    // A province the server does not have.
    province(form, 2)->setChecked(false);
    province(form, 7)->setChecked(true);
    m_prompter.answer(MsgAnswer::Yes);
    form.findChild<QPushButton*>(u"cmdDownloadStart"_s)->click();
    EXPECT_TRUE(m_prompter.texts().last().startsWith(
        u"우편번호 최신 업데이트 실패하였습니다.\r\ndbPost_Ulsan.zip 파일이 존재하지 않습니다."_s));
    EXPECT_EQ(QDir(dbs()).entryList(QDir::Files), QStringList{u"dbPost_Incheon.db"_s});
}

TEST_F(ZipcodeDownloadTest, WithoutADownloadAddressNothingIsClosedOrFetched)
{
    frmZipcode form(nullptr, dbs());
    form.findChild<QCheckBox*>(u"chkAreaDBAll"_s)->click();
    m_prompter.answer(MsgAnswer::Yes);
    form.findChild<QPushButton*>(u"cmdDownloadStart"_s)->click();
    EXPECT_TRUE(m_prompter.texts().first().startsWith(u"정말 [전체] 도로명 우편번호로 업데이트 하시겠습니까?"_s));
    EXPECT_TRUE(m_prompter.texts().last().contains(u"DownloadUrl"_s));
    EXPECT_FALSE(QDir(dbs()).exists());
}
