#include "FindBar.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

TEST(FindBar, OperatorsFeedTheConditionAKeyPreselectsOneAndAHandedOverStateWins)
{
    QComboBox combo;
    combo.addItem(u"old"_s);
    FindBar::FillFindOP(&combo);
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.currentIndex(), 0);
    const QStringList tails{u"LIKE '%x%'"_s, u"LIKE 'x%'"_s, u"LIKE '%x'"_s, u"= 'x'"_s};
    for (int i = 0; i < combo.count(); ++i)
        EXPECT_EQ(MakeFindWhere(u"f"_s, u"x"_s, combo.itemText(i)), u"f "_s + tails[i]);

    // A key preselects its operator and a handed-over state wins.
    FindBar bar(nullptr, {{u"코드"_s, u"code"_s, u"="_s}, {u"성명"_s, u"name"_s, u"*s*"_s}, {u"메모"_s, u"bigo"_s, {}}}, 1);
    auto* op = bar.findChild<QComboBox*>(u"cmbFindOP"_s);
    EXPECT_EQ(bar.condition(), QString());
    bar.setText(u"김"_s);
    EXPECT_EQ(bar.condition(), u"name LIKE '%김%'"_s);

    bar.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentIndex(0);
    EXPECT_EQ(bar.condition(), u"code = '김'"_s);
    // A key without an operator keeps the one chosen.
    bar.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentIndex(2);
    EXPECT_EQ(op->currentIndex(), 3);

    bar.setSearchState(u"name,alias"_s, u"s* : 검색어로 시작"_s);
    EXPECT_EQ(bar.condition(), u"(name LIKE '김%' OR alias LIKE '김%')"_s);
    bar.setSearchState({}, {});
    EXPECT_EQ(bar.fields(), u"name,alias"_s);
}

