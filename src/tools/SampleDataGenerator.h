#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <random>
#include <vector>

namespace asv {

class BulkInsert;

// Fills a database of the current structure with believable Korean sample data: staff, AS codes,
// product classes and products, customers, and two years of sale lines, payments, AS jobs and
// calls ending on a given day. Every customer's nowmoney matches its documents at the end. The
// same seed and last day give the same rows.
class SampleDataGenerator {
public:
    struct Size {
        int customers = 0;
        int products = 0;
        int saleLines = 0;
        int payments = 0;
        int asJobs = 0;
        int calls = 0;

        // A small office to show the program with.
        static Size demo();
        static Size small();
        // 100k customers and 1M sale lines: what the hot paths are measured against.
        static Size large();
        // "demo", "small" or "large".
        static std::optional<Size> named(QStringView name);
    };

    // Rows written and time taken by one step of generate().
    struct Phase {
        QString what;
        qint64 rows = 0;
        qint64 milliseconds = 0;
    };

    static constexpr quint64 kDefaultSeed = 20240601;
    // Customer codes are six digits.
    static constexpr int kMaxCustomers = 999999;

    // lastDay null: today.
    explicit SampleDataGenerator(quint64 seed = kDefaultSeed, QDate lastDay = {});

    // Writes into the connected database, which must not hold customers yet. False when it does
    // (the operator is told) or when a statement failed (shown by the data layer).
    bool generate(const Size& size);
    const QList<Phase>& phases() const { return m_phases; }

private:
    struct Customer {
        QString code;
        QString name;
        QString ceo;
        QString telno1;
        QString telno2;
        QString charge;
        int taxmode = 0;
        qint64 basemoney = 0;
    };
    struct Product {
        QString code;
        QString name;
        QString norm;
        qint64 price = 0;
        int taxmode = 1;
        int maxQuantity = 1;
        bool serviced = false;
    };
    struct AsCode {
        int code = 0;
        qint64 amount = 0;
    };

    bool insertUsers();
    bool insertAsCodes();
    bool insertProducts(int count);
    bool insertCustomers(int count);
    bool insertDocuments(const Size& size);
    bool updateBalances();
    void analyze();
    bool readAsCodes();

    void addSlip(BulkInsert& sale, int day, int lineCount);
    void addPayment(BulkInsert& receive, int day);
    void addAsJob(BulkInsert& jobs, BulkInsert& lines, int day);
    void addCall(BulkInsert& calls, int day);

    // Money a customer owes while the documents are written, sampled in proportion by a Fenwick
    // tree so that payments go to those who owe.
    void addOwed(int customer, qint64 delta);
    int pickDebtor();
    // Customers registered by the day, weighted by how often they buy.
    int pickCustomer(int day);
    int eligibleCustomers(int day) const;
    int registrationDay(int index, int count) const;

    int below(int n);
    qint64 between(qint64 low, qint64 high);
    bool chance(int percent);
    template <typename List>
    const auto& anyOf(const List& list);
    template <size_t N>
    QString pick(const char16_t* const (&list)[N]);
    QString personName();
    QString digits(int count);
    QString landline(const QString& area);
    QString mobile();
    QString businessNumber(bool corporate);
    QString barcode();
    static QString productCode(int index);
    QString dateText(int day) const;
    QString timeText(int fromHour, int toHour);
    QString timeSoFarToday();

    std::mt19937_64 m_rng;
    QDate m_lastDay;
    QDate m_firstDay;
    int m_days = 0;
    QStringList m_dayTexts;
    QStringList m_users;
    std::vector<Customer> m_customers;
    std::vector<qint64> m_customerWeights; // cumulative
    int m_customersBefore = 0;            // registered before the first day
    std::vector<Product> m_products;
    std::vector<qint64> m_productWeights; // cumulative
    std::vector<int> m_serviced;
    std::vector<qint64> m_owed;
    std::vector<qint64> m_owedTree;
    qint64 m_owedTotal = 0;
    std::vector<AsCode> m_receptionCodes;
    std::vector<AsCode> m_causeCodes;
    std::vector<AsCode> m_resultCodes;
    std::vector<AsCode> m_consultCodes;
    qint64 m_nextJob = 1;
    qint64 m_documentRows = 0;
    QList<Phase> m_phases;
};

} // namespace asv
