#pragma once

#include "Pick.h"
#include "RecordPicker.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace asv {

// The kinds of the find-or-register flow, also the words of its messages.
inline const QString kFindKindUser = QStringLiteral("담당자");
inline const QString kFindKindCust = QStringLiteral("고객");
inline const QString kFindKindProd = QStringLiteral("상품");

// Pickers and editors live above the data layer; each registers here what the flow needs of it.
class PickerRegistry {
public:
    using PickerFactory = std::function<std::unique_ptr<RecordPicker>(QWidget* parent)>;
    // Opens the editor of the kind for a new record, with the typed text as a starting point;
    // returns the saved record, or an empty pick when nothing was saved.
    using NewRecordEditor = std::function<Pick(QWidget* parent, const QString& text)>;
    struct Entry {
        PickerFactory picker;
        NewRecordEditor editor;
    };

    // An empty picker factory removes the kind; an empty editor keeps the one registered before.
    static void registerKind(const QString& kind, PickerFactory picker, NewRecordEditor editor);
    // The editor alone, for a kind whose picker and editor live in different windows; either may
    // be registered first.
    static void registerEditor(const QString& kind, NewRecordEditor editor);
    static void unregisterKind(const QString& kind);
    static bool isRegistered(const QString& kind);
    // What the kind has now (empty functions where nothing is), and putting it back later.
    static Entry entry(const QString& kind);
    static void setEntry(const QString& kind, const Entry& entry);

    // Both throw AppError for a kind nobody registered.
    static std::unique_ptr<RecordPicker> createPicker(const QString& kind, QWidget* parent);
    static Pick registerNew(const QString& kind, QWidget* parent, const QString& text);
};

} // namespace asv
