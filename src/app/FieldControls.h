#pragma once

#include "FieldTable.h"
#include "HCText.h"
#include "WidgetHelpers.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHash>
#include <QList>

namespace asv {

// An editor's controls of the columns its record's table gives one: text fields for texts and
// numbers, check boxes for flags; they show a record and read it back.
template <class Record>
class FieldControls {
public:
    using Field = RecordField<Record>;

    explicit FieldControls(const FieldTable<Record>& table) : m_table(table) {}

    static HCText* makeText(QWidget* parent, const Field& f)
    {
        return NamedTextField(parent, {f.control, f.caption, f.bytes, f.kind});
    }

    // A control for every column that names one, except those shown elsewhere, in table order.
    void create(QWidget* parent, const QStringList& shownElsewhere = {})
    {
        for (const Field& f : m_table.fields()) {
            if (f.control.isEmpty() || shownElsewhere.contains(f.column))
                continue;
            if (std::holds_alternative<bool Record::*>(f.member)) {
                auto* box = new QCheckBox(f.caption, parent);
                box->setObjectName(f.control);
                adopt(f.column, box);
            } else {
                adopt(f.column, makeText(parent, f));
            }
        }
    }
    // A control made by another window (a companion dialog) that shows one of the columns.
    void adopt(const QString& column, QWidget* control) { m_controls.append({&m_table.field(column), control}); }

    HCText* text(const QString& column) const { return qobject_cast<HCText*>(control(column)); }
    QCheckBox* box(const QString& column) const { return qobject_cast<QCheckBox*>(control(column)); }
    QWidget* control(const QString& column) const
    {
        for (const auto& [f, w] : m_controls) {
            if (f->column == column)
                return w;
        }
        return nullptr;
    }
    QList<QWidget*> widgets() const
    {
        QList<QWidget*> all;
        for (const auto& c : m_controls)
            all << c.second;
        return all;
    }

    // A row for each text field on editor (not those of a companion window), with the control
    // beside it where one is given.
    void addRows(QFormLayout* form, const QWidget* editor, const QHash<QString, QWidget*>& besides = {}) const
    {
        for (const auto& [f, w] : m_controls) {
            if (w->parentWidget() != editor || !qobject_cast<HCText*>(w))
                continue;
            if (QWidget* beside = besides.value(f->column))
                AddFieldRow(form, f->caption, w, beside);
            else
                form->addRow(f->caption, w);
        }
    }

    // The controls on editor in table order, each with the one beside it after it: the way Tab and
    // Enter go through them.
    QList<QWidget*> focusOrder(const QWidget* editor, const QHash<QString, QWidget*>& besides = {}) const
    {
        QList<QWidget*> order;
        for (const auto& [f, w] : m_controls) {
            if (w->parentWidget() != editor)
                continue;
            order << w;
            if (QWidget* beside = besides.value(f->column))
                order << beside;
        }
        return order;
    }

    void show(const Record& r) const
    {
        for (const auto& c : m_controls)
            show(*c.first, c.second, r);
    }
    void show(const QString& column, const Record& r) const { show(m_table.field(column), control(column), r); }

    // The record with the values of the controls; columns without one keep their value from base.
    Record read(Record r = {}) const
    {
        for (const auto& [f, w] : m_controls) {
            if (auto* box = qobject_cast<QCheckBox*>(w)) {
                FieldTable<Record>::setText(*f, r, box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
                continue;
            }
            const QString t = static_cast<HCText*>(w)->Text();
            // Codes and names are saved without stray blanks, whatever was typed around them: lists
            // sort and find them by their first character.
            FieldTable<Record>::setText(*f, r, f->trimmed ? t.trimmed() : t);
        }
        return r;
    }

    // Numbers to 0, texts empty, boxes unticked.
    void clear() const
    {
        for (const auto& c : m_controls) {
            if (auto* box = qobject_cast<QCheckBox*>(c.second)) {
                box->setChecked(false);
                continue;
            }
            auto* t = static_cast<HCText*>(c.second);
            t->SetText(t->acceptType() == HCText::Number ? QStringLiteral("0") : QString());
        }
    }

private:
    static void show(const Field& f, QWidget* w, const Record& r)
    {
        const QString t = FieldTable<Record>::text(f, r);
        if (auto* box = qobject_cast<QCheckBox*>(w))
            box->setChecked(t == QStringLiteral("1"));
        else
            static_cast<HCText*>(w)->SetText(t);
    }

    const FieldTable<Record>& m_table;
    QList<std::pair<const Field*, QWidget*>> m_controls;
};

} // namespace asv
