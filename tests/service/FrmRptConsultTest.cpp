#include "AsListFixture.h"
#include "FrmRPT_Consult.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "WidgetDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::AsListFixture;
using asv::test::column;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

struct ConsultReportFixture : AsListFixture {
    int received = 0, open = 0, closed = 0, orphan = 0;

    ConsultReportFixture()
    {
        sql(u"INSERT INTO ascode (code, pcode, part, name) VALUES (9, '000000', 9, '설치문의')"_s);
        received = call(u"2026-03-02"_s, 0, u"01"_s, 0);
        open = call(u"2026-03-03"_s, 1, u"01"_s, 9);
        closed = call(u"2026-03-04"_s, 2, u"02"_s, 9);
        orphan = call(u"2026-03-05"_s, 2, u"77"_s, 55); // consultant and class since deleted
    }

    static int call(const QString& date, int state, const QString& consultant, int concode)
    {
        sql(u"INSERT INTO rsvconsult (cname, ctelno, ccode, regucode, condate, contime, pcode, concode, state, "
            "refernote, connote, pname) VALUES ('한빛상사', '02-123-4567', 'C00001', '%1', '%2', '10:00', 'P00001', "
            "%3, %4, '', '', '')"_s.arg(consultant, date, QString::number(concode), QString::number(state)));
        return static_cast<int>(DBInsertId());
    }

    static QStringList codes(const FrmRPT_Consult& report) { return column(report.list(), u"상담코드"_s); }
    static QString n(int code) { return QString::number(code); }
};

} // namespace

// Outer joins keep calls whose consultant or class is gone; the state search knows only the two
// state names, the other fields search by part of their text.
TEST_F(ConsultReportFixture, TheReportKeepsOrphansAndSearchesByStateNameOrPartOfAText)
{
    FrmRPT_Consult report;
    report.period()->SetText1(u"2026-03-01"_s);
    report.query();
    EXPECT_EQ(codes(report), QStringList({n(received), n(open), n(closed), n(orphan)}));
    EXPECT_EQ(column(report.list(), u"상태"_s), QStringList({QString(), u"미완료"_s, u"완료"_s, u"완료"_s}));
    EXPECT_EQ(column(report.list(), u"상담자"_s), QStringList({u"김기사"_s, u"김기사"_s, u"이접수"_s, QString()}));
    EXPECT_EQ(column(report.list(), u"상담분류"_s), QStringList({QString(), u"설치문의"_s, u"설치문의"_s, QString()}));
    EXPECT_EQ(column(report.list(), u"상품분류"_s).first(), u"가전"_s);

    auto* field = report.findChild<QComboBox*>(u"cboChConsult"_s);
    auto* text = report.findChild<QLineEdit*>(u"txtConsult"_s);
    const struct {
        QString field, typed;
        QStringList expected;
    } searches[] = {
        {u"상태"_s, u"완료"_s, {n(closed), n(orphan)}},
        {u"상태"_s, u"미완료"_s, {n(open)}},
        {u"상태"_s, u"완"_s, {n(received), n(open), n(closed), n(orphan)}},
        {u"상담자"_s, u"이접"_s, {n(closed)}},
    };
    for (const auto& search : searches) {
        SCOPED_TRACE(search.typed.toStdString());
        field->setCurrentText(search.field);
        text->setText(search.typed);
        report.query();
        EXPECT_EQ(codes(report), search.expected);
    }
    // Consultations only: calls never consulted are hidden.
    text->clear();
    report.findChild<QRadioButton*>(u"optList(1)"_s)->setChecked(true);
    report.query();
    EXPECT_EQ(codes(report), QStringList({n(open), n(closed), n(orphan)}));
}

TEST_F(ConsultReportFixture, ADeleteAsksForTheNumberAndThePeriodIsOfferedAgain)
{
    {
        FrmRPT_Consult report;
        report.period()->SetText1(u"2026-03-03"_s);
        report.period()->SetText2(u"2026-03-04"_s);
        report.query();
        report.list()->setCurrentIndex(report.list()->cells().index(0, 0));
        prompter.answer(MsgAnswer::Yes);
        report.deleteSelected();
        EXPECT_EQ(prompter.texts(Kind::YesNo).last(), u"정말 %1번 자료를 삭제하시겠습니까?"_s.arg(open));
        EXPECT_EQ(codes(report), QStringList({n(closed)}));
        report.close();
    }
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM rsvconsult WHERE code = "_s + n(open)), u"0"_s);
    FrmRPT_Consult again;
    EXPECT_EQ(again.period()->Text1(), u"2026-03-03"_s);
    EXPECT_EQ(again.period()->Text2(), u"2026-03-04"_s);
}

// A product typed on the desk without registering it is shown, and found, by the name typed; so
// is one deleted since.
TEST_F(ConsultReportFixture, ATypedProductIsShownAndFoundByItsTypedName)
{
    sql(u"INSERT INTO rsvconsult (cname, condate, contime, pcode, pname, state) VALUES "
        "('한빛상사', '2026-03-06', '11:00', '000000', '수입 식기세척기', 2), "
        "('한빛상사', '2026-03-07', '11:00', 'P09999', '단종 세척기', 1)"_s);
    FrmRPT_Consult report;
    report.period()->SetText1(u"2026-03-01"_s);
    report.query();
    EXPECT_EQ(column(report.list(), u"상품명"_s).mid(3),
              QStringList({u"세탁기"_s, u"수입 식기세척기"_s, u"단종 세척기"_s}));

    report.findChild<QComboBox*>(u"choChProduct"_s)->setCurrentText(u"상품명"_s);
    report.findChild<QLineEdit*>(u"txtProduct"_s)->setText(u"세척기"_s);
    report.query();
    EXPECT_EQ(column(report.list(), u"상품명"_s), QStringList({u"수입 식기세척기"_s, u"단종 세척기"_s}));
}
