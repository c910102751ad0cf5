#include "AppState.h"
#include "FindRecord.h"
#include "FrmLUser_admin.h"
#include "FrmLUser_save.h"
#include "FrmLUser_sel.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCText.h"
#include "PickerRegistry.h"
#include "RegistryGuard.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "UserStore.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using asv::test::click;
using asv::test::column;

namespace {

const QString kNotSaved = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;
const QString kRights =
    u"사용자의 추가는 관리자만 가능하며, 사용자 정보 수정은 로그인한 사용자 본인의 정보만 수정 가능합니다."_s;

struct UsersFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    UsersFixture()
    {
        DBExecute(u"INSERT INTO local_user (code, loginid, loginpwd, name, telno, hpno, addr1, addr2, pdause, consult, hidden) VALUES "
                  u"('01', 'KIM', 'pw', '김상담', '02-123-5678', '', '서울시', '1번지', 1, 1, 0), "
                  u"('02', 'LEE', '', '이기사', '', '010-9999-5678', '', '', 0, 0, 0), "
                  u"('03', 'PARK', '', '박숨김', '', '', '', '', 0, 0, 1)"_s);
        operatorIs(u"00"_s);
        App().DbUser = u"asvtest"_s;
    }
    static void operatorIs(const QString& code) { App().UserCode = code; }
    static int rowOf(const Grid* grid, const QString& code)
    {
        return static_cast<int>(column(grid, 0).indexOf(code));
    }
    static QString consultOf(const QString& code)
    {
        return DBGetValue(u"SELECT consult FROM local_user WHERE code = '"_s + code + u"'"_s);
    }
};

} // namespace

TEST_F(UsersFixture, AdministratorListsSearchesAndDeletesOnlyUsersNotInUse)
{
    FrmLUser_admin list;
    EXPECT_EQ(column(list.list(), 0), (QStringList{u"00"_s, u"01"_s, u"02"_s}));
    EXPECT_EQ(list.list()->text(1, 1), u"KIM"_s);
    EXPECT_EQ(list.list()->text(1, 3), u"1"_s);
    EXPECT_EQ(list.list()->text(1, 5), u"02-123-5678"_s);

    list.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentText(u"Tel,HP"_s);
    list.findChild<QLineEdit*>(u"txtFind"_s)->setText(u"5678"_s);
    click(list, u"btnFind"_s);
    EXPECT_EQ(column(list.list(), 0), (QStringList{u"01"_s, u"02"_s}));

    list.findChild<QLineEdit*>(u"txtFind"_s)->setText(u"없는번호'"_s);
    click(list, u"btnFind"_s);
    EXPECT_EQ(list.list()->rowCount(), 0);

    // Deleting refuses the administrator and users in use.
    DBExecute(u"INSERT INTO customer (code, compname, charge) VALUES ('000001', '대한상사', '01')"_s);
    list.findChild<QLineEdit*>(u"txtFind"_s)->clear();
    click(list, u"btnFind"_s);
    Grid* grid = list.list();
    grid->selectRow(rowOf(grid, u"00"_s));
    click(list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts().last(), u"시스템의 기본자료이므로 삭제할 수 없습니다.\r\n현재자료를 수정후 사용하세요."_s);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::YesNo), 0);

    grid->selectRow(rowOf(grid, u"01"_s));
    prompter.answer(MsgAnswer::Yes);
    click(list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts().last(), u"해당 데이터가 「거래처담당자」에서 사용중이기 때문에 삭제할 수 없습니다."_s);
    EXPECT_EQ(DBRecordCount(u"local_user"_s, u"code = '01'"_s), 1);

    // Enter on the question keeps the user.
    grid->selectRow(rowOf(grid, u"02"_s));
    prompter.pressEnter();
    click(list, u"btnDelete"_s);
    EXPECT_EQ(DBRecordCount(u"local_user"_s, u"code = '02'"_s), 1);
    DBExecute(u"INSERT INTO rsvconsult (regucode) VALUES ('02')"_s);
    prompter.answer(MsgAnswer::Yes);
    click(list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts().last(), u"해당 데이터가 「상담내역」에서 사용중이기 때문에 삭제할 수 없습니다."_s);

    DBExecute(u"DELETE FROM rsvconsult"_s);
    grid->selectRow(rowOf(grid, u"02"_s));
    prompter.answer(MsgAnswer::Yes);
    click(list, u"btnDelete"_s);
    EXPECT_EQ(DBRecordCount(u"local_user"_s, u"code = '02'"_s), 0);
    EXPECT_EQ(column(grid, 0), (QStringList{u"00"_s, u"01"_s}));
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Warn), 0);
}

TEST_F(UsersFixture, NonAdministratorSeesOnlyHimselfAndCannotAddUsers)
{
    operatorIs(u"01"_s);
    FrmLUser_admin list;
    list.show();
    EXPECT_EQ(column(list.list(), 0), QStringList{u"01"_s});

    click(list, u"btnNew"_s);
    auto* editor = list.findChild<FrmLUser_save*>();
    ASSERT_NE(editor, nullptr);
    editor->field(u"htCode"_s)->SetText(u"09"_s);
    editor->field(u"htName"_s)->SetText(u"몰래추가"_s);
    click(*editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kRights});
    EXPECT_EQ(DBRecordCount(u"local_user"_s), 4);

    // Another user's record is refused too; his own only the password may change.
    editor->SetFormMode(FrmLUser_save::EditRecord, u"02"_s);
    click(*editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), kRights);
    editor->SetFormMode(FrmLUser_save::EditRecord, u"01"_s);
    EXPECT_FALSE(editor->field(u"htName"_s)->isEnabled());
    EXPECT_FALSE(editor->findChild<QCheckBox*>(u"chkConsult"_s)->isEnabled());
    EXPECT_TRUE(editor->field(u"htPassword"_s)->isEnabled());
    editor->field(u"htPassword"_s)->SetText(u"new"_s);
    click(*editor, u"btnSave"_s);
    EXPECT_EQ(UserStore().loginPassword(u"KIM"_s), u"new"_s);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{u"자료가 저장되었습니다."_s});
}

TEST_F(UsersFixture, EditorAddsWithAutomaticOrTypedCodesAndStoresConsultOnlyWhenEdited)
{
    FrmLUser_admin list;
    click(list, u"btnNew"_s);
    auto* editor = list.findChild<FrmLUser_save*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), u"사용자 - 『신규입력』"_s);
    EXPECT_TRUE(editor->findChild<QCheckBox*>(u"chkAutoCode"_s)->isChecked());

    click(*editor, u"btnSave"_s);
    EXPECT_EQ(prompter.messages().last().text, u"[성명]은(는) 필수 입력 사항입니다."_s);
    EXPECT_EQ(prompter.messages().last().title, u"필수입력"_s);

    editor->field(u"htName"_s)->SetText(u"최신입"_s);
    editor->field(u"htLoginId"_s)->SetText(u"KIM"_s);
    click(*editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), u"『KIM』는 이미 존재하는 아이디입니다."_s);

    QSignalSpy saved(editor, &FrmLUser_save::saved);
    editor->field(u"htLoginId"_s)->SetText(u"CHOI"_s);
    editor->findChild<QCheckBox*>(u"chkConsult"_s)->setChecked(true);
    click(*editor, u"btnSave"_s);
    // The hidden user's code counts too.
    EXPECT_EQ(editor->AddedRec(), (Pick{u"04"_s, u"최신입"_s}));
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(consultOf(u"04"_s), u"0"_s);
    EXPECT_EQ(column(list.list(), 0).last(), u"04"_s);

    FrmLUser_save edit;
    edit.show();
    edit.SetFormMode(FrmLUser_save::EditRecord, u"04"_s);
    EXPECT_EQ(edit.windowTitle(), u"사용자 - 『수정』"_s);
    EXPECT_FALSE(edit.findChild<QCheckBox*>(u"chkConsult"_s)->isChecked());
    QTest::keyClicks(edit.field(u"htCode"_s), u"9"_s);
    EXPECT_EQ(prompter.texts().last(), u"코드는 수정할 수 없습니다."_s);
    EXPECT_EQ(edit.field(u"htCode"_s)->Text(), u"04"_s);
    edit.findChild<QCheckBox*>(u"chkConsult"_s)->setChecked(true);
    click(edit, u"btnSave"_s);
    EXPECT_EQ(consultOf(u"04"_s), u"1"_s);

    FrmLUser_save again;
    again.show();
    again.SetFormMode(FrmLUser_save::EditRecord, u"04"_s);
    click(again, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), kNotSaved);
    EXPECT_TRUE(again.isVisible());

    // A typed code must be new; continued adding empties the editor; the shared account may not
    // change the administrator.
    prompter.clear();
    FrmLUser_save typed;
    typed.show();
    typed.findChild<QCheckBox*>(u"chkAutoCode"_s)->click();
    EXPECT_EQ(UserSettings::get(u"Config"_s, u"FrmLUser_save_AutoCode"_s), u"0"_s);
    typed.findChild<QCheckBox*>(u"chkContinueAdd"_s)->setChecked(true);

    HCText* code = typed.field(u"htCode"_s);
    code->SetText(u"01"_s);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(code, &out);
    EXPECT_EQ(prompter.texts(), QStringList{u"『01』는 이미 존재하는 코드입니다."_s});
    typed.field(u"htName"_s)->SetText(u"중복"_s);
    click(typed, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), u"『01』는 이미 존재하는 코드입니다."_s);

    code->SetText(u"A1"_s);
    click(typed, u"btnSave"_s);
    EXPECT_EQ(DBGetValue(u"SELECT name FROM local_user WHERE code = 'A1'"_s), u"중복"_s);
    EXPECT_TRUE(typed.isVisible());
    EXPECT_EQ(typed.mode(), FrmLUser_save::NewRecord);
    EXPECT_EQ(typed.field(u"htName"_s)->Text(), QString());

    App().DbUser = App().SharedDbAccount;
    typed.SetFormMode(FrmLUser_save::EditRecord, u"00"_s);
    typed.field(u"htName"_s)->SetText(u"바꾼관리자"_s);
    click(typed, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), u"공유ID(Ostra)로 접속하신 경우 관리자 정보를 수정할 수 없습니다."_s);
    EXPECT_EQ(DBGetValue(u"SELECT name FROM local_user WHERE code = '00'"_s), u"관리자"_s);
}

TEST_F(UsersFixture, PickerFindsForTheFindOrRegisterFlow)
{
    test::RegistryGuard registry({kFindKindUser});
    FrmLUser_sel::registerPicker();
    FrmLUser_sel picker;
    EXPECT_EQ(picker.FindRecords(QString(), {}), 3);
    // Ordered by name; the address joins both parts.
    EXPECT_EQ(picker.list()->text(0, 1), u"관리자"_s);
    EXPECT_EQ(picker.list()->text(1, 4), u"서울시 1번지"_s);

    EXPECT_EQ(picker.FindRecords(u"상담"_s, {}), 1);
    EXPECT_EQ(picker.Result(), (Pick{u"01"_s, u"김상담"_s}));
    EXPECT_EQ(picker.FindRecords(u"박숨김"_s, {}), 0);
    // A code typed in full is that user, though no name holds it.
    EXPECT_EQ(picker.FindRecords(u"02"_s, {}), 1);
    EXPECT_EQ(picker.Result(), (Pick{u"02"_s, u"이기사"_s}));
    picker.setSearchState(u"telno,hpno"_s, u"*s : 검색어로 끝남"_s);
    EXPECT_EQ(picker.FindRecords(u"5678"_s, {}), 2);
    EXPECT_EQ(picker.FindRecords(u"5678"_s, u"code <> '01'"_s), 1);

    picker.show();
    picker.FindRecords(u"5678"_s, {});
    picker.list()->selectRow(1);
    click(picker, u"btnSel"_s);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.Result().code, picker.list()->text(1, 0));

    FindRequest request;
    request.text = u"이기"_s;
    EXPECT_EQ(FindUser(request), (Pick{u"02"_s, u"이기사"_s}));
    request.text = u"없는사람"_s;
    prompter.answer(MsgAnswer::No);
    EXPECT_EQ(FindUser(request), Pick());
    EXPECT_EQ(prompter.texts().last(), u"검색한 담당자가 등록되어 있지 않습니다.\r\n신규 등록하겠습니까?"_s);
}
