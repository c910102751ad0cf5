#pragma once

#include "AppError.h"
#include "RecordField.h"
#include "RecordSetPtr.h"
#include "SqlNumber.h"
#include "StoreSql.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <type_traits>

namespace asv {

// The columns of one record, read by its store for the statements and by its editor for the fields,
// so that a column is described once.
template <class Record>
class FieldTable {
public:
    using Field = RecordField<Record>;

    FieldTable(std::initializer_list<Field> fields) : m_fields(fields) {}

    const QList<Field>& fields() const { return m_fields; }
    const Field& field(const QString& column) const
    {
        for (const Field& f : m_fields) {
            if (f.column == column)
                return f;
        }
        throw AppError(0, QStringLiteral("FieldTable"), QStringLiteral("unknown column ") + column);
    }

    // Every column of the table from the current row of a "SELECT *". Rows is the record set; a
    // template so that only the files reading rows need its header.
    template <class Rows = RecordSet>
    Record fromRow(const Rows& rs) const
    {
        Record r;
        for (const Field& f : m_fields)
            setText(f, r, rs.field(f.column));
        return r;
    }

    // The row of table whose code is code, read by store; nullopt when there is none; a failed
    // read throws, naming the store's load.
    template <class Rows = RecordSet>
    std::optional<Record> load(const StoreSql& store, const QString& table, const QString& code) const
    {
        const std::shared_ptr<Rows> rs = store.read(
            QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE code = ") + StoreSql::quoted(code),
            QStringLiteral("load"));
        if (rs->eof())
            return std::nullopt;
        return fromRow(*rs);
    }

    // The value as a field shows it: amounts without trailing zeros or exponent, flags 1 or 0.
    static QString text(const Field& f, const Record& r)
    {
        return std::visit(
            [&r](auto member) {
                const auto& value = r.*member;
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, QString>)
                    return value;
                else if constexpr (std::is_same_v<Value, double>)
                    return amountText(value);
                else
                    return QString::number(value);
            },
            f.member);
    }

    static void setText(const Field& f, Record& r, const QString& t)
    {
        std::visit(
            [&r, &t](auto member) {
                auto& value = r.*member;
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, QString>)
                    value = t;
                else if constexpr (std::is_same_v<Value, double>)
                    value = t.toDouble();
                else if constexpr (std::is_same_v<Value, int>)
                    value = t.toInt();
                else
                    value = t.toInt() != 0;
            },
            f.member);
    }

    // The value as a statement literal: texts quoted, numbers exact.
    QString sqlValue(const QString& column, const Record& r) const
    {
        const Field& f = field(column);
        return std::visit(
            [&](auto member) {
                using Value = std::decay_t<decltype(r.*member)>;
                if constexpr (std::is_same_v<Value, QString>)
                    return StoreSql::quoted(r.*member);
                else if constexpr (std::is_same_v<Value, double>)
                    return SqlNumber(r.*member);
                else
                    return text(f, r);
            },
            f.member);
    }

    // "INSERT INTO table (columns) VALUES (...)", the values in the order of columns.
    QString insertSql(const QString& table, const QStringList& columns, const Record& r) const
    {
        QStringList values;
        for (const QString& c : columns)
            values << sqlValue(c, r);
        return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(QStringLiteral(", "))
            + QStringLiteral(") VALUES (") + values.join(QStringLiteral(", ")) + u')';
    }

    // "UPDATE table SET column = value, ... WHERE key = ...", in the order of columns; a column of
    // expressions is set to its expression instead of the record's value.
    QString updateSql(const QString& table, const QStringList& columns, const Record& r, const QString& key,
                      const QHash<QString, QString>& expressions = {}) const
    {
        QStringList assignments;
        for (const QString& c : columns)
            assignments << c + QStringLiteral(" = ") + expressions.value(c, sqlValue(c, r));
        return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + assignments.join(QStringLiteral(", "))
            + QStringLiteral(" WHERE ") + key + QStringLiteral(" = ") + sqlValue(key, r);
    }

private:
    static QString amountText(double value)
    {
        QString t = QString::number(value, 'f', 4);
        while (t.endsWith(u'0'))
            t.chop(1);
        if (t.endsWith(u'.'))
            t.chop(1);
        return t == QStringLiteral("-0") ? QStringLiteral("0") : t;
    }

    QList<Field> m_fields;
};

} // namespace asv
