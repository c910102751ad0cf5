#include "LabelSheetLayout.h"

#include "UserSettings.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr double kA4Width = 210;
constexpr double kA4Height = 297;
const QString kSection = u"라벨용지"_s;

} // namespace

QSizeF LabelSheetLayout::paperMm() const
{
    return roll ? QSizeF(labelWidth, labelHeight) : QSizeF(kA4Width, kA4Height);
}

QRectF LabelSheetLayout::labelRect(int index) const
{
    if (roll)
        return QRectF(0, 0, labelWidth, labelHeight);
    const int row = index / columns;
    const int col = index % columns;
    return QRectF(marginLeft + col * (labelWidth + gapX), marginTop + row * (labelHeight + gapY), labelWidth,
                  labelHeight);
}

QString LabelSheetLayout::problem() const
{
    if (name.trimmed().isEmpty())
        return u"라벨용지 이름을 입력하세요."_s;
    // The settings file would read a slash as a section of its own.
    if (name.contains(u'/') || name.contains(u'\\'))
        return u"라벨용지 이름에는 / 와 \\ 를 쓸 수 없습니다."_s;
    if (labelWidth < 20 || labelHeight < 12)
        return u"라벨이 너무 작습니다. (최소 가로 20mm, 세로 12mm)"_s;
    if (roll)
        return labelWidth > 300 || labelHeight > 300 ? u"롤 라벨은 300mm 이하로 입력하세요."_s : QString();
    if (rows < 1 || columns < 1 || marginLeft < 0 || marginTop < 0 || gapX < 0 || gapY < 0)
        return u"줄, 칸, 여백과 간격을 확인하세요."_s;
    const QRectF last = labelRect(perPage() - 1);
    if (last.right() > kA4Width + 0.01 || last.bottom() > kA4Height + 0.01)
        return u"라벨이 A4 용지를 벗어납니다."_s;
    return {};
}

QString LabelSheetLayout::toText() const
{
    return QStringList{roll ? u"1"_s : u"0"_s, QString::number(rows), QString::number(columns),
                       QString::number(labelWidth), QString::number(labelHeight), QString::number(marginLeft),
                       QString::number(marginTop), QString::number(gapX), QString::number(gapY)}
        .join(u',');
}

LabelSheetLayout LabelSheetLayout::fromText(const QString& name, const QString& text, bool* ok)
{
    LabelSheetLayout l;
    l.name = name;
    const QStringList parts = text.split(u',');
    bool good = parts.size() == 9;
    auto number = [&](int i) {
        bool fine = false;
        const double v = good ? parts[i].toDouble(&fine) : 0;
        good = good && fine;
        return v;
    };
    l.roll = good && parts[0] == u"1"_s;
    l.rows = static_cast<int>(number(1));
    l.columns = static_cast<int>(number(2));
    l.labelWidth = number(3);
    l.labelHeight = number(4);
    l.marginLeft = number(5);
    l.marginTop = number(6);
    l.gapX = number(7);
    l.gapY = number(8);
    if (ok)
        *ok = good && l.problem().isEmpty();
    return l;
}

QList<LabelSheetLayout> LabelSheetLayout::builtIn()
{
    // The sheets the stationery shops stock most, and two common roll sizes.
    return {
        {u"A4 21칸 (3×7, 63.5×38.1)"_s, false, 7, 3, 63.5, 38.1, 7.25, 15.15, 2.5, 0},
        {u"A4 24칸 (3×8, 64×33.9)"_s, false, 8, 3, 64, 33.9, 7, 12.9, 2, 0},
        {u"A4 40칸 (4×10, 48.5×25.4)"_s, false, 10, 4, 48.5, 25.4, 8, 21.5, 0, 0},
        {u"A4 65칸 (5×13, 38.1×21.2)"_s, false, 13, 5, 38.1, 21.2, 4.75, 10.7, 2.5, 0},
        {u"롤 40×25"_s, true, 1, 1, 40, 25, 0, 0, 0, 0},
        {u"롤 50×30"_s, true, 1, 1, 50, 30, 0, 0, 0, 0},
    };
}

QList<LabelSheetLayout> LabelSheetLayout::all()
{
    QList<LabelSheetLayout> layouts = builtIn();
    auto settings = UserSettings::open(UserSettings::appTitle());
    settings->beginGroup(kSection);
    QStringList names = settings->childKeys();
    names.sort();
    for (const QString& name : names) {
        bool ok = false;
        const LabelSheetLayout l = fromText(name, settings->value(name).toString(), &ok);
        if (ok)
            layouts.append(l);
    }
    return layouts;
}

void LabelSheetLayout::save(const LabelSheetLayout& layout)
{
    UserSettings::set(kSection, layout.name, layout.toText());
}

void LabelSheetLayout::remove(const QString& name)
{
    UserSettings::remove(UserSettings::appTitle(), kSection, name);
}

} // namespace asv
