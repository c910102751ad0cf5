#include "GuiPrompter.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::whenModal;

namespace {

QStringList captions(const QMessageBox* box)
{
    QStringList out;
    for (const QAbstractButton* b : box->buttons())
        out << b->text();
    out.sort();
    return out;
}

// Reads the open box's buttons and presses the one with the caption given.
void pressWhenOpen(QStringList& seen, QString& defaultCaption, const QString& press)
{
    whenModal<QMessageBox>([&seen, &defaultCaption, press](QMessageBox* box) {
        seen = captions(box);
        defaultCaption = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == press)
                b->click();
        }
    });
}

} // namespace

TEST(GuiPrompter, QuestionsNoticesAndQtsOwnMenusSpeakKorean)
{
    GuiPrompter gui;
    QStringList seen;
    QString defaultCaption;
    pressWhenOpen(seen, defaultCaption, u"예"_s);
    EXPECT_EQ(gui.yesNo(u"삭제하시겠습니까?"_s, u"확인"_s, false), MsgAnswer::Yes);
    EXPECT_EQ(seen, (QStringList{u"아니오"_s, u"예"_s}));
    EXPECT_EQ(defaultCaption, u"아니오"_s);

    pressWhenOpen(seen, defaultCaption, u"취소"_s);
    EXPECT_EQ(gui.yesNoCancel(u"저장하시겠습니까?"_s, {}, MsgAnswer::Yes), MsgAnswer::Cancel);
    EXPECT_EQ(seen, (QStringList{u"아니오"_s, u"예"_s, u"취소"_s}));
    EXPECT_EQ(defaultCaption, u"예"_s);

    pressWhenOpen(seen, defaultCaption, u"확인"_s);
    gui.info(u"자료가 없습니다."_s, {});
    EXPECT_EQ(seen, QStringList{u"확인"_s});

    // Qt's own menus speak Korean once the translation is loaded.
    QLineEdit field;
    field.setText(u"본문"_s);
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction* a : menu->actions()) {
        if (!a->isSeparator())
            texts << a->text().section(u'\t', 0, 0); // without the shortcut
    }
    EXPECT_EQ(texts, (QStringList{u"실행 취소(&U)"_s, u"다시 실행(&R)"_s, u"잘라내기(&T)"_s, u"복사(&C)"_s,
                                  u"붙여넣기(&P)"_s, u"삭제"_s, u"모두 선택"_s}));
}
