#include "FrmTool_ImpData.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

// The file dialog shows every kind the import reads without the operator choosing one, and the
// window speaks Korean around it.
TEST(ImportFileChoice, TheDialogShowsEveryReadableKindFirst)
{
    test::TestDatabase db;
    test::ScriptedPrompter prompter;
    FrmTool_ImpData window;
    QString shownFilter;
    QTimer::singleShot(0, [&shownFilter] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shownFilter = dialog->selectedNameFilter();
            dialog->reject();
        }
    });
    test::click(window, u"btnGetXLSFile"_s);
    for (const QString& kind : {u"*.xls"_s, u"*.xlsx"_s, u"*.csv"_s})
        EXPECT_TRUE(shownFilter.contains(kind)) << shownFilter.toStdString();
    EXPECT_FALSE(shownFilter.contains(u"Excel"_s)) << shownFilter.toStdString();
    for (const QLabel* label : window.findChildren<QLabel*>())
        EXPECT_NE(label->text(), u"Sheet"_s);
}
