#include "AppState.h"
#include "Cp949.h"
#include "RecordSet.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "ShellScreens.h"
#include "TestDatabase.h"
#include "UdpRelaySettings.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

struct Hostile {
    QString text;
    bool storable; // false: the code page cannot hold it, so nothing may be stored
};

const QList<Hostile>& hostileTexts()
{
    static const QList<Hostile> texts{
        {u"'; DROP TABLE customer; --"_s, true},
        {u"\\'\\\\\""_s, true},
        {u"앞"_s + QChar(0) + u"뒤"_s, true},
        {u"똠방각하"_s, true},
        // Old Hangul written with conjoining jamo.
        {u"\u1112\u119E\u11AB글"_s, false},
    };
    return texts;
}

const QRegularExpression kSearchOrSave(u"^(btn|cmd)(Query|Find|Search|Refresh|Save|OK|SettingsSave|RegCcSave)"_s);
const QRegularExpression kNewRecord(u"^btn(New|Add|RecAdd|NewRecv)$"_s);
const QRegularExpression kMarker(u"Q([0-9a-z]{3})Q"_s);

// Questions are answered as an operator who goes ahead, except for deleting and leaving.
class GoAheadPrompter : public test::ScriptedPrompter {
public:
    MsgAnswer yesNo(const QString& text, const QString& title, bool defaultYes) override
    {
        ScriptedPrompter::yesNo(text, title, defaultYes);
        const bool stop = text.contains(u"삭제"_s) || text.contains(u"종료"_s);
        return stop ? MsgAnswer::No : MsgAnswer::Yes;
    }
};

// Drives one screen at a time: every text field gets a hostile text behind a marker of its own,
// searches run, saves are pressed, and the database is then read for every marker.
class Sweep {
public:
    explicit Sweep(test::TestDatabase& db) : m_db(db)
    {
        m_db.admin().query(u"USE `"_s + m_db.name() + u'`', true);
        m_tables = tables();
        const RecordSetPtr rs = m_db.admin().query(
            u"SELECT TABLE_NAME, COLUMN_NAME, IFNULL(CHARACTER_MAXIMUM_LENGTH, 0) FROM information_schema.COLUMNS "
            "WHERE TABLE_SCHEMA = DATABASE() AND DATA_TYPE IN ('char', 'varchar', 'tinytext', 'text', 'mediumtext', "
            "'longtext')"_s,
            true);
        for (; rs && !rs->eof(); rs->moveNext())
            m_textColumns[rs->field(0)].append({rs->field(1), rs->field(2).toInt()});
        // A dialog run with exec() would hold the sweep: it is turned down, as an operator might.
        QObject::connect(&m_modalGuard, &QTimer::timeout, &m_modalGuard, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !m_swept.contains(modal)) {
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        m_modalGuard.start(20);
    }

    void screen(const QString& name)
    {
        for (const Hostile& hostile : hostileTexts()) {
            const QSet<QWidget*> before = topLevels();
            QWidget* window = ScreenRegistry::find(name)->create(nullptr);
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            window->show();
            const QString where = name + u" / "_s + QString::fromLatin1(window->metaObject()->className());
            drive(window, hostile, where);
            for (const QPointer<QAbstractButton>& button : buttons(window, kNewRecord)) {
                if (!button)
                    continue;
                const QSet<QWidget*> open = topLevels();
                button->click();
                for (QWidget* editor : topLevels() - open) {
                    if (editor->isVisible())
                        drive(editor, hostile,
                              where + u" > "_s + button->objectName() + u" > "_s + QString::fromLatin1(editor->metaObject()->className()));
                }
            }
            QList<QPointer<QWidget>> left;
            for (QWidget* w : topLevels() - before)
                left << w;
            // A parent takes its child windows along.
            for (const QPointer<QWidget>& w : left)
                delete w.data();
            QApplication::processEvents();
        }
    }

    int cp949Refusals() const { return m_cp949Refusals; }
    QStringList savingScreens() const { return {m_savingScreens.begin(), m_savingScreens.end()}; }

private:
    void drive(QWidget* window, const Hostile& hostile, const QString& where)
    {
        SCOPED_TRACE(where.toStdString() + " with " + hostile.text.toStdString());
        m_current = where;
        m_swept << window;
        m_prompter.clear();
        m_expected.clear();
        QList<QPointer<QLineEdit>> lines;
        for (QLineEdit* line : window->findChildren<QLineEdit*>()) {
            if (!line->isVisibleTo(window) || !line->isEnabled() || line->isReadOnly()
                || qobject_cast<QAbstractSpinBox*>(line->parentWidget()))
                continue;
            line->clear();
            // Inserted as a paste would be: the field's length and checks apply.
            line->insert(nextMarker(line) + hostile.text);
            // Then on to the next field, where a field checks what it was given.
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(line, &leave);
            lines << line;
        }
        fillTextEdits<QPlainTextEdit>(window, hostile);
        fillTextEdits<QTextEdit>(window, hostile);
        for (const QPointer<QLineEdit>& line : lines) {
            if (line && line->isVisible() && line->isEnabled())
                QTest::keyClick(line, Qt::Key_Return);
        }
        // A code-entry box must name a record that exists before the window saves anything.
        for (ucFindBox* box : window->findChildren<ucFindBox*>()) {
            for (QLineEdit* line : box->findChildren<QLineEdit*>())
                line->clear();
        }
        for (const QPointer<QAbstractButton>& button : buttons(window, kSearchOrSave)) {
            refreshExpected();
            if (button && button->isVisible() && button->isEnabled())
                button->click();
        }
        refreshExpected();
        check(hostile);
    }

    template <class Edit>
    void fillTextEdits(QWidget* window, const Hostile& hostile)
    {
        for (Edit* edit : window->findChildren<Edit*>()) {
            if (edit->isVisibleTo(window) && edit->isEnabled() && !edit->isReadOnly())
                edit->setPlainText(nextMarker(edit) + hostile.text);
        }
    }

    QString nextMarker(QWidget* field)
    {
        const QString marker = u"Q"_s + QString::number(m_nextId, 36).rightJustified(3, u'0') + u"Q"_s;
        m_fields.insert(m_nextId++, field);
        m_batch << m_nextId - 1;
        return marker;
    }

    // The text each field shows now, as the window will read it when it saves.
    void refreshExpected()
    {
        for (int id : std::as_const(m_batch)) {
            QWidget* field = m_fields.value(id);
            if (!field)
                continue;
            QString text;
            if (auto* line = qobject_cast<QLineEdit*>(field))
                text = line->text();
            else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
                text = plain->toPlainText();
            else if (auto* rich = qobject_cast<QTextEdit*>(field))
                text = rich->toPlainText();
            // The quoting function ends a text at its first NUL.
            m_expected.insert(id, text.left(text.indexOf(QChar(0))));
        }
    }

    void check(const Hostile& hostile)
    {
        for (const test::ScriptedPrompter::Message& m : m_prompter.messages()) {
            EXPECT_NE(m.kind, test::ScriptedPrompter::Kind::Error) << m.text.toStdString();
            const bool refusal = m.text.contains(u"CP949"_s);
            EXPECT_TRUE(!refusal || !hostile.storable) << m.text.toStdString();
            m_cp949Refusals += refusal ? 1 : 0;
        }
        const QStringList now = tables();
        for (const QString& table : std::as_const(m_tables))
            EXPECT_TRUE(now.contains(table)) << "table gone: " << table.toStdString();

        for (auto it = m_textColumns.constBegin(); it != m_textColumns.constEnd(); ++it) {
            QStringList names;
            for (const Column& c : it.value())
                names << u'`' + c.name + u'`';
            const QString columns = names.join(u", "_s);
            const RecordSetPtr rs = m_db.admin().query(u"SELECT "_s + columns + u" FROM `"_s + it.key()
                                                           + u"` WHERE CONCAT_WS(CHAR(1), "_s + columns
                                                           + u") LIKE BINARY '%Q___Q%'"_s,
                                                       true);
            for (; rs && !rs->eof(); rs->moveNext()) {
                for (int c = 0; c < it.value().size(); ++c)
                    checkStored(it.key() + u'.' + it.value()[c].name, rs->field(c), it.value()[c].width, hostile);
            }
        }
        m_batch.clear();
    }

    void checkStored(const QString& column, const QString& value, int width, const Hostile& hostile)
    {
        for (const QRegularExpressionMatch& m : kMarker.globalMatch(value)) {
            const int id = m.captured(1).toInt(nullptr, 36);
            if (!m_batch.contains(id))
                continue;
            EXPECT_TRUE(hostile.storable) << column.toStdString() << " kept " << value.toStdString();
            m_savingScreens.insert(m_current);
            const QString expected = m_expected.value(id);
            const QString stored = value.mid(m.capturedStart(), expected.size());
            // Some columns are stored cut to their width on purpose (a zipcode to 7 bytes).
            const bool cutToWidth = expected.startsWith(stored) && Cp949::byteLength(value) >= width - 1;
            EXPECT_TRUE(stored == expected || cutToWidth)
                << column.toStdString() << " from field " << fieldName(id) << ": " << stored.toStdString()
                << " instead of " << expected.toStdString();
        }
    }

    std::string fieldName(int id) const
    {
        const QWidget* field = m_fields.value(id);
        return field ? field->objectName().toStdString() : std::string("(closed)");
    }

    QStringList tables()
    {
        QStringList names;
        const RecordSetPtr rs = m_db.admin().query(u"SHOW TABLES"_s, true);
        for (; rs && !rs->eof(); rs->moveNext())
            names << rs->field(0);
        return names;
    }

    static QList<QPointer<QAbstractButton>> buttons(QWidget* window, const QRegularExpression& names)
    {
        QList<QPointer<QAbstractButton>> found;
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            if (names.match(b->objectName()).hasMatch() && b->isVisibleTo(window) && b->isEnabled())
                found << b;
        }
        return found;
    }

    static QSet<QWidget*> topLevels()
    {
        const QWidgetList all = QApplication::topLevelWidgets();
        return {all.begin(), all.end()};
    }

    test::TestDatabase& m_db;
    GoAheadPrompter m_prompter;
    QTimer m_modalGuard;
    QStringList m_tables;
    struct Column {
        QString name;
        int width;
    };
    QHash<QString, QList<Column>> m_textColumns;
    QList<QPointer<QWidget>> m_swept;
    QHash<int, QPointer<QWidget>> m_fields;
    QList<int> m_batch;
    QHash<int, QString> m_expected;
    int m_nextId = 0;
    int m_cp949Refusals = 0;
    QString m_current;
    QSet<QString> m_savingScreens;
};

} // namespace

// Every screen the main window can open, so a new screen is swept without being named here.
TEST(ScreenSweep, HostileTextInEveryFieldIsSearchedAndStoredAsTypedOrRefused)
{
    test::TestDatabase db;
    // The desks of this sweep talk to no one but this PC.
    UdpRelaySettings::Peers.set(u"127.0.0.1"_s);
    App().UserCode = u"00"_s;
    App().LoginId = u"ADMIN"_s;
    RegisterScreens();
    Sweep sweep(db);
    for (const QString& name : ScreenRegistry::names()) {
        SCOPED_TRACE(name.toStdString());
        sweep.screen(name);
    }
    EXPECT_GT(sweep.cp949Refusals(), 0);
    // The editors that reach the database with these texts: records, users, company, options, desk.
    EXPECT_GE(sweep.savingScreens().size(), 6) << sweep.savingScreens().join(u'\n').toStdString();
}
