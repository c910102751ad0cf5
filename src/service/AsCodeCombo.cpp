#include "AsCodeCombo.h"

#include "AsCodeStore.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace asv {

void AsCodeCombo::fill(QComboBox* combo, int part, const QString& pcode)
{
    combo->clear();
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT code, name FROM ascode WHERE "_s + AsCodeStore::offeredCondition(part, pcode)
                     + u" ORDER BY code, name"_s);
    StoreSql(nullptr, u"AsCodeCombo"_s).throwIfFailed(u"fill"_s);
    for (; rs && !rs->eof(); rs->moveNext())
        combo->addItem(rs->field(1), rs->field(0).toInt());
    combo->setCurrentIndex(-1);
}

int AsCodeCombo::chosen(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? 0 : combo->currentData().toInt();
}

void AsCodeCombo::choose(QComboBox* combo, int code)
{
    combo->setCurrentIndex(combo->findData(code));
}

} // namespace asv
