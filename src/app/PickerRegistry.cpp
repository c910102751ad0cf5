#include "PickerRegistry.h"

#include "AppError.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

using Entry = PickerRegistry::Entry;

QHash<QString, Entry>& entries()
{
    static QHash<QString, Entry> registered;
    return registered;
}

const Entry& entryOf(const QString& kind)
{
    const auto it = entries().constFind(kind);
    if (it == entries().constEnd() || !it->picker)
        throw AppError(5, u"PickerRegistry"_s, u"검색창이 등록되지 않은 종류입니다: "_s + kind);
    return *it;
}

} // namespace

void PickerRegistry::registerKind(const QString& kind, PickerFactory picker, NewRecordEditor editor)
{
    if (!picker) {
        entries().remove(kind);
        return;
    }
    Entry& entry = entries()[kind];
    entry.picker = std::move(picker);
    if (editor)
        entry.editor = std::move(editor);
}

void PickerRegistry::registerEditor(const QString& kind, NewRecordEditor editor)
{
    entries()[kind].editor = std::move(editor);
}

void PickerRegistry::unregisterKind(const QString& kind)
{
    entries().remove(kind);
}

bool PickerRegistry::isRegistered(const QString& kind)
{
    const auto it = entries().constFind(kind);
    return it != entries().constEnd() && it->picker;
}

PickerRegistry::Entry PickerRegistry::entry(const QString& kind)
{
    return entries().value(kind);
}

void PickerRegistry::setEntry(const QString& kind, const Entry& entry)
{
    if (entry.picker || entry.editor)
        entries().insert(kind, entry);
    else
        entries().remove(kind);
}

std::unique_ptr<RecordPicker> PickerRegistry::createPicker(const QString& kind, QWidget* parent)
{
    return entryOf(kind).picker(parent);
}

Pick PickerRegistry::registerNew(const QString& kind, QWidget* parent, const QString& text)
{
    const Entry& entry = entryOf(kind);
    return entry.editor ? entry.editor(parent, text) : Pick();
}

} // namespace asv
