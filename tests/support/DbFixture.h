#pragma once

#include "Clock.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace asv::test {

// A test's own database and prompter, and the clock held at a moment when the test gives one.
struct DbFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    explicit DbFixture(const QDateTime& now = {})
    {
        if (now.isValid())
            Clock::setFixed(now);
    }
    ~DbFixture() override { Clock::clearFixed(); }

    static void sql(const QString& statement)
    {
        DBExecute(statement);
        ASSERT_FALSE(DBLastFailed()) << statement.toStdString();
    }
};

} // namespace asv::test
