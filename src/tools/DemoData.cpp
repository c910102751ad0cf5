#include "DemoData.h"

#include "LocalServer.h"
#include "SampleDataGenerator.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

bool DemoData::loadOnce(const QString& serverHost, const QString& database)
{
    if (!DBInit(serverHost, LocalServer::administrator(), {}, database))
        return false;
    bool ok = true;
    if (DBRecordCount(u"customer"_s) == 0) {
        SampleDataGenerator generator;
        ok = generator.generate(SampleDataGenerator::Size::demo());
    }
    DBClose();
    return ok;
}

} // namespace asv
