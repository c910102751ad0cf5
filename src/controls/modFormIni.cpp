#include "modFormIni.h"

#include "Grid.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QSettings>
#include <algorithm>
#include <climits>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kPosition = u"FormPosition"_s;

// Sizes and places a screen can take; a file edited by hand or damaged must not give a window
// of a million pixels or a font nobody can read.
constexpr int kMaxExtent = 10000;
constexpr int kMaxColumnWidth = 4000;
constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 72;
constexpr int kMaxRowHeight = 200;

// The number under key when it is one within [low, high].
std::optional<int> readInt(const QSettings& ini, const QString& key, int low = INT_MIN, int high = INT_MAX)
{
    const QVariant v = ini.value(key);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
}

// A screen inside the MDI area moves and sizes through its frame.
QWidget* frameOf(QWidget* form)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    return sub ? static_cast<QWidget*>(sub) : form;
}

QList<Grid*> listsOf(const QWidget* form)
{
    QList<Grid*> lists = form->findChildren<Grid*>();
    lists.removeIf([](const Grid* g) { return g->objectName().isEmpty(); });
    return lists;
}

// Calls apply(column index, value) for every numeric key "1".."n" of the section.
void eachColumnKey(QSettings& ini, const QString& section, int columns,
                   const std::function<void(int, int)>& apply)
{
    ini.beginGroup(section);
    for (int c = 0; c < columns; ++c) {
        if (const auto v = readInt(ini, QString::number(c + 1)))
            apply(c, *v);
    }
    ini.endGroup();
}

void applySpread(QSettings& ini, Grid& list)
{
    const QString name = list.objectName();
    const int n = list.columnCount();
    Grid::Layout l = list.currentLayout();

    eachColumnKey(ini, name + u"_ColsWidth"_s, n, [&](int c, int v) {
        if (v > 0 && v <= kMaxColumnWidth)
            l.widths[c] = v;
    });

    QList<std::pair<int, int>> positions;
    eachColumnKey(ini, name + u"_ColsLocation"_s, n, [&](int c, int v) {
        if (v >= 1 && v <= n)
            positions.append({v, c});
    });
    std::sort(positions.begin(), positions.end());
    for (const auto& [pos, c] : positions) {
        l.visualOrder.removeOne(c);
        l.visualOrder.insert(pos - 1, c);
    }

    // A column whose designed visibility changed since the file was written keeps the new design.
    QList<std::optional<bool>> savedInit(n);
    eachColumnKey(ini, name + u"_FILEDHIDE_INIT"_s, n, [&](int c, int v) { savedInit[c] = v != 0; });
    eachColumnKey(ini, name + u"_FILEDHIDE"_s, n, [&](int c, int v) {
        if (!savedInit[c] || *savedInit[c] == list.cells().isInitHidden(c))
            l.hidden[c] = v != 0;
    });
    eachColumnKey(ini, name + u"_RPTCOL"_s, n, [&](int c, int v) { l.printed[c] = v != 0; });

    ini.beginGroup(name + u"_General"_s);
    if (const auto v = readInt(ini, u"FontSize"_s, kMinFontSize, kMaxFontSize))
        l.fontSize = *v;
    if (const auto v = readInt(ini, u"RowHeight"_s, 1, kMaxRowHeight))
        l.rowHeight = *v;
    ini.endGroup();

    list.applyLayout(l);
}

void writeSection(QSettings& ini, const QString& section, const QList<int>& values)
{
    ini.remove(section);
    ini.beginGroup(section);
    for (int c = 0; c < values.size(); ++c) {
        if (values[c] >= 0)
            ini.setValue(QString::number(c + 1), values[c]);
    }
    ini.endGroup();
}

QList<int> flags(const QList<bool>& on)
{
    QList<int> out;
    for (bool b : on)
        out.append(b ? 1 : 0);
    return out;
}

void writeSpread(QSettings& ini, const Grid& list)
{
    const QString name = list.objectName();
    const Grid::Layout l = list.currentLayout();
    const int n = list.columnCount();

    QList<int> location(n);
    for (int v = 0; v < n; ++v)
        location[l.visualOrder[v]] = v + 1;
    QList<bool> initHidden;
    for (int c = 0; c < n; ++c)
        initHidden.append(list.cells().isInitHidden(c));

    writeSection(ini, name + u"_ColsWidth"_s, l.widths);
    writeSection(ini, name + u"_ColsLocation"_s, location);
    writeSection(ini, name + u"_FILEDHIDE"_s, flags(l.hidden));
    writeSection(ini, name + u"_FILEDHIDE_INIT"_s, flags(initHidden));
    writeSection(ini, name + u"_RPTCOL"_s, flags(l.printed));
    ini.beginGroup(name + u"_General"_s);
    ini.setValue(u"FontSize"_s, l.fontSize);
    ini.setValue(u"RowHeight"_s, l.rowHeight);
    ini.endGroup();
}

std::unique_ptr<QSettings> openForWriting(const QString& formName)
{
    const QString path = FormIniPath(formName);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

} // namespace

QWidget* FormOf(const QWidget* control)
{
    auto* w = const_cast<QWidget*>(control);
    while (w) {
        QWidget* parent = w->parentWidget();
        if (!parent || w->isWindow() || qobject_cast<QMdiSubWindow*>(parent))
            return w;
        w = parent;
    }
    return nullptr;
}

QString FormName(const QWidget* form)
{
    if (!form)
        return {};
    if (!form->objectName().isEmpty())
        return form->objectName();
    const QString cls = QString::fromLatin1(form->metaObject()->className());
    return cls.mid(cls.lastIndexOf(u':') + 1);
}

void LoadFormPosition(QWidget* form, bool withSize)
{
    if (!form)
        return;
    const QString path = FormIniPath(FormName(form));
    if (!QFileInfo::exists(path))
        return;
    QSettings ini(path, QSettings::IniFormat);
    QWidget* frame = frameOf(form);
    ini.beginGroup(kPosition);
    QPoint pos = frame->pos();
    if (const auto left = readInt(ini, u"Left"_s, 0, kMaxExtent))
        pos.setX(*left);
    if (const auto top = readInt(ini, u"Top"_s, 0, kMaxExtent))
        pos.setY(*top);
    frame->move(pos);
    if (withSize) {
        QSize size = frame->size();
        if (const auto w = readInt(ini, u"Width"_s, 1, kMaxExtent))
            size.setWidth(*w);
        if (const auto h = readInt(ini, u"Height"_s, 1, kMaxExtent))
            size.setHeight(*h);
        frame->resize(size);
    }
    if (const auto state = readInt(ini, u"WindowState"_s)) {
        frame->setWindowState(*state == 1   ? Qt::WindowMinimized
                              : *state == 2 ? Qt::WindowMaximized
                                            : Qt::WindowNoState);
    }
}

void LoadFormIni(QWidget* form, bool withSize)
{
    if (!form)
        return;
    const QList<Grid*> lists = listsOf(form);
    for (Grid* list : lists)
        list->rememberDesignedLayout();
    LoadFormPosition(form, withSize);
    const QString path = FormIniPath(FormName(form));
    if (!QFileInfo::exists(path))
        return;
    QSettings ini(path, QSettings::IniFormat);
    for (Grid* list : lists)
        applySpread(ini, *list);
}

void SaveFormPosition(const QWidget* form)
{
    if (!form)
        return;
    auto ini = openForWriting(FormName(form));
    const QWidget* frame = frameOf(const_cast<QWidget*>(form));
    const int state = frame->isMinimized() ? 1 : frame->isMaximized() ? 2 : 0;
    ini->beginGroup(kPosition);
    // A minimised or maximised screen keeps the position it will come back to.
    if (state == 0) {
        ini->setValue(u"Left"_s, frame->x());
        ini->setValue(u"Top"_s, frame->y());
        ini->setValue(u"Width"_s, frame->width());
        ini->setValue(u"Height"_s, frame->height());
    }
    ini->setValue(u"WindowState"_s, state);
    ini->endGroup();
}

void SaveFormIni(const QWidget* form)
{
    if (!form)
        return;
    SaveFormPosition(form);
    auto ini = openForWriting(FormName(form));
    for (const Grid* list : listsOf(form))
        writeSpread(*ini, *list);
}

void SaveSpreadIni_Gn(const Grid& list)
{
    if (list.objectName().isEmpty())
        return;
    auto ini = openForWriting(FormName(FormOf(&list)));
    writeSpread(*ini, list);
}

void DelFormIni(const QString& formName)
{
    QFile::remove(FormIniPath(formName));
}

void SetSpreadRPTCol(Grid& list, const QList<bool>& printed)
{
    for (int c = 0; c < list.columnCount(); ++c)
        list.cells().setPrinted(c, printed.value(c, true));
    if (list.objectName().isEmpty())
        return;
    auto ini = openForWriting(FormName(FormOf(&list)));
    writeSection(*ini, list.objectName() + u"_RPTCOL"_s, flags(list.currentLayout().printed));
}

} // namespace asv
