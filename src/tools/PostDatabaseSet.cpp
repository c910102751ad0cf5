#include "PostDatabaseSet.h"

#include "AppError.h"
#include "ZipcodeFolder.h"
#include "ZipcodeProvinces.h"

#include <algorithm>

namespace asv {

PostDatabaseSet::PostDatabaseSet(QString folder) : m_folder(std::move(folder)) {}

QList<PostDatabaseSet::OpenFailure> PostDatabaseSet::openAll()
{
    QList<OpenFailure> failures;
    for (const ZipcodeProvince& p : ZipcodeProvinces::all()) {
        auto& slot = m_open[static_cast<size_t>(p.index)];
        slot.reset();
        const QString path = ZipcodeFolder::provinceFile(m_folder, p);
        if (path.isEmpty())
            continue;
        try {
            slot = std::make_unique<PostDatabase>(path);
        } catch (const AppError& e) {
            failures.append({p.index, e.description()});
        }
    }
    return failures;
}

void PostDatabaseSet::closeAll()
{
    for (auto& slot : m_open)
        slot.reset();
}

bool PostDatabaseSet::isMissing(int province) const
{
    return ZipcodeFolder::provinceFile(m_folder, ZipcodeProvinces::all()[province]).isEmpty();
}

bool PostDatabaseSet::anyMissing() const
{
    for (int i = 0; i < kProvinces; ++i) {
        if (isMissing(i))
            return true;
    }
    return false;
}

bool PostDatabaseSet::anyOpen() const
{
    return std::any_of(m_open.cbegin(), m_open.cend(), [](const auto& db) { return db != nullptr; });
}

bool PostDatabaseSet::isOld(int province) const
{
    const auto& db = m_open[static_cast<size_t>(province)];
    return db && db->isOld();
}

QStringList PostDatabaseSet::districts(int province) const
{
    const auto& db = m_open[static_cast<size_t>(province)];
    return db ? db->districts() : QStringList();
}

PostDatabaseSet::Result PostDatabaseSet::search(int province, const ZipcodeSearch& search) const
{
    Result result;
    for (int i = 0; i < kProvinces; ++i) {
        const auto& db = m_open[static_cast<size_t>(i)];
        if ((province >= 0 && i != province) || !db)
            continue;
        result.rows += db->search(search);
        result.old = result.old || db->isOld();
    }
    return result;
}

} // namespace asv
