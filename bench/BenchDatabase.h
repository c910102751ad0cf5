#pragma once

#include "SampleDataGenerator.h"
#include "TestDatabase.h"

#include <QString>
#include <memory>
#include <optional>

namespace asv {

class cMySQL;

// A database of the current structure on the private test server, to which the program's
// connection (DBInit) is pointed. A database created under a unique name is dropped again at the
// end; a named one is created when missing and kept.
class BenchDatabase {
public:
    // On the test server, or on the server (or cluster nodes) given.
    explicit BenchDatabase(const QString& keepName = {}, std::optional<test::ServerAccount> server = {});
    ~BenchDatabase();
    BenchDatabase(const BenchDatabase&) = delete;
    BenchDatabase& operator=(const BenchDatabase&) = delete;

    const QString& name() const { return m_name; }
    // Points the program's connection at this database.
    void open();

    // A database filled by the generator with its default seed, made on first use and reused by
    // every later benchmark of the process; it is left open.
    static BenchDatabase& generated(const SampleDataGenerator::Size& size);
    // Adds the search indexes an administrator would add to the open database, printing how long
    // that took for `rows` rows of `what`; a refusal ends the benchmark.
    static void addSearchIndexes(long rows, const char* what);
    // The books the report benchmarks read, kept in their own database between runs: 10,000
    // customers, 1M sale lines, 200,000 payments and about 100,000 AS result lines. It is left open.
    static BenchDatabase& books();
    // Drops the generated databases; call before the process ends.
    static void dropGenerated();

private:
    cMySQL& admin();

    test::ServerAccount m_server;
    QString m_name;
    bool m_keep = false;
    std::unique_ptr<cMySQL> m_admin;
};

} // namespace asv
