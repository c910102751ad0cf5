#include "AppState.h"
#include "FrmOffice_save.h"
#include "HCText.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

const QString kNotSaved = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;

struct OfficeFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static void save(FrmOffice_save& dialog) { dialog.findChild<QPushButton*>(u"btnSave"_s)->click(); }
    static void leave(HCText* field)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &out);
    }
};

} // namespace

TEST_F(OfficeFixture, ThePlaceholderNameAnEmptyNameAndABadRegistrationNumberAreRefused)
{
    FrmOffice_save dialog;
    dialog.show();
    EXPECT_EQ(dialog.field(u"compname"_s)->Text(), u"OstraSoft(본사)"_s);
    save(dialog);
    EXPECT_EQ(prompter.texts(), QStringList{u"상호를 변경해 주십시오."_s});

    dialog.field(u"compname"_s)->SetText(u"  "_s);
    save(dialog);
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(prompter.messages()[1].text, u"[상호]은(는) 필수 입력 사항입니다."_s);
    EXPECT_EQ(prompter.messages()[1].title, u"필수입력"_s);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(DBGetValue(u"SELECT compname FROM office WHERE code = 1"_s), u"OstraSoft(본사)"_s);

    // The registration number is checked when its field is left.
    prompter.clear();
    HCText* sn = dialog.field(u"compsn"_s);
    sn->SetText(u"2208162517"_s);
    leave(sn);
    EXPECT_EQ(sn->Text(), u"220-81-62517"_s);
    sn->SetText(u"8001011234560"_s);
    leave(sn);
    EXPECT_EQ(sn->Text(), u"800101-1234560"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    sn->SetText(u"1234"_s);
    leave(sn);
    EXPECT_EQ(prompter.texts(), QStringList{u"유효한 주민등록번호 또는 사업자등록 번호가 아닙니다."_s});
    EXPECT_EQ(sn->Text(), u"1234"_s);

    sn->SetText(QString());
    leave(sn);
    EXPECT_EQ(prompter.messages().size(), 1);
}

TEST_F(OfficeFixture, SaveUpdatesTheRecordAndAnUnchangedSaveIsReported)
{
    {
        FrmOffice_save dialog;
        dialog.show();
        QSignalSpy renamed(&dialog, &FrmOffice_save::companyNameChanged);
        dialog.field(u"compname"_s)->SetText(u"A&B 상사"_s);
        dialog.field(u"bigo"_s)->SetText(u"it's \\ ok"_s);
        dialog.field(u"telno1"_s)->SetText(u"02-123-4567"_s);
        save(dialog);
        EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{u"자료가 저장되었습니다."_s});
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(renamed.count(), 1);
        EXPECT_EQ(renamed[0][0].toString(), u"A&B 상사"_s);
        EXPECT_EQ(App().CompanyName, u"A&B 상사"_s);
    }
    EXPECT_EQ(DBGetValue(u"SELECT compname FROM office WHERE code = 1"_s), u"A&B 상사"_s);
    EXPECT_EQ(DBGetValue(u"SELECT bigo FROM office WHERE code = 1"_s), u"it's \\ ok"_s);

    FrmOffice_save again;
    again.show();
    EXPECT_EQ(again.field(u"telno1"_s)->Text(), u"02-123-4567"_s);
    save(again);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{kNotSaved});
    EXPECT_TRUE(again.isVisible());
}
