#include "CustomerImport.h"

#include "TrigramIndex.h"
#include "BulkInsert.h"
#include "Cp949.h"
#include "CustomerStore.h"
#include "DbError.h"
#include "StoreSql.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QSet>
#include <limits>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString insertHead()
{
    QStringList columns;
    for (const CustomerImport::Field& field : CustomerImport::fields())
        columns << field.column;
    return CustomerStore::bulkInsertHead(columns);
}

QString missingLine(int row, int field)
{
    return field == CustomerImport::kCodeField
        ? u"%1행의 코드가 없습니다. -> 코드는 필수 입력사항입니다. 자료 수정 후 다시 시도 하세요."_s.arg(row)
        : u"%1행의 상호, 고객명이 없습니다. -> 상호, 고객명은 필수 입력사항입니다. 자료 수정 후 다시 시도 하세요."_s.arg(row);
}

} // namespace

const QList<CustomerImport::Field>& CustomerImport::fields()
{
    static const QList<Field> list{
        {u"코드"_s, u"code"_s, 6},         {u"상호, 고객명"_s, u"compname"_s, 40}, {u"약칭명"_s, u"compalias"_s, 40},
        {u"모델명"_s, u"modelname"_s, 100}, {u"전화번호"_s, u"telno1"_s, 20},     {u"전화번호2"_s, u"telno2"_s, 20},
        {u"휴대전화"_s, u"hpno"_s, 20},     {u"우편번호"_s, u"zipcode"_s, 7},     {u"주소"_s, u"addr1"_s, 60},
        {u"상세주소"_s, u"addr2"_s, 100},   {u"비고"_s, u"bigo"_s, 50},           {u"대표자"_s, u"ceoname"_s, 20},
        {u"이메일"_s, u"email"_s, 40},
    };
    return list;
}

CustomerImport::CustomerImport(const QList<QStringList>& cells, QList<int> columns, int rowsPerStatement)
    : m_cells(cells), m_columns(std::move(columns)), m_rowsPerStatement(std::max(1, rowsPerStatement))
{
    m_columns.resize(fields().size(), -1);
}

int CustomerImport::lastRowWithData() const
{
    for (qsizetype r = m_cells.size(); r > 0; --r) {
        for (const QString& cell : m_cells[r - 1]) {
            if (!cell.trimmed().isEmpty())
                return static_cast<int>(r);
        }
    }
    return 0;
}

QString CustomerImport::codeKey(const QString& code)
{
    // The table compares codes without regard to letter case.
    return code.toUpper();
}

CustomerImport::Row CustomerImport::read(int number) const
{
    Row row;
    row.number = number;
    const QStringList cells = m_cells.value(number - 1);
    row.values.reserve(fields().size());
    for (qsizetype f = 0; f < fields().size(); ++f) {
        const Field& field = fields()[f];
        QString value = cells.value(m_columns[f]).trimmed();
        if (value.size() > field.maxLength) {
            value = value.left(field.maxLength).trimmed();
            row.log << u"%1행의 %2 길이가 너무 깁니다.(최대 %3자) 길이만큼 자동으로 짤립니다. -> %4"_s.arg(number).arg(
                field.label, QString::number(field.maxLength), value);
        }
        if (const qsizetype bad = Cp949::firstUnencodable(value); bad >= 0) {
            row.log << u"%1행의 %2: "_s.arg(number).arg(field.label) + Cp949::unencodableMessage(value, bad);
            row.outcome = Outcome::Skip;
        }
        row.values << value;
    }
    for (int required : {kCodeField, kNameField}) {
        if (row.values[required].isEmpty() && !(required == kCodeField && generatesCodes())) {
            row.log << missingLine(number, required);
            row.outcome = Outcome::Skip;
            break;
        }
    }
    return row;
}

QList<CustomerImport::Row>& CustomerImport::checkedRows(int first, int last)
{
    if (first == m_checkedFirst && last == m_checkedLast)
        return m_checked;
    m_checked.clear();
    m_checkedFirst = first;
    m_checkedLast = last;
    m_checked.reserve(std::clamp<qsizetype>(last - first + 1, 0, m_cells.size()));
    QSet<QString> taken;
    for (int r = first; r <= last; ++r) {
        m_checked.append(read(r));
        Row& row = m_checked.last();
        if (row.outcome == Outcome::Skip || generatesCodes())
            continue;
        const qsizetype before = taken.size();
        taken.insert(codeKey(row.values[kCodeField]));
        if (taken.size() == before) {
            row.outcome = Outcome::Skip;
            row.log << u"[%1]과(와) 일치하는 코드가 있습니다."_s.arg(row.values[kCodeField]);
        }
    }
    for (qsizetype i = 0; !generatesCodes() && i < m_checked.size(); i += m_rowsPerStatement)
        skipExisting(RowSpan(m_checked).subspan(i, std::min<qsizetype>(m_rowsPerStatement, m_checked.size() - i)));
    return m_checked;
}

void CustomerImport::skipExisting(RowSpan rows) const
{
    QString sql = u"SELECT code FROM customer WHERE code IN ("_s;
    bool any = false;
    for (const Row& row : rows) {
        if (row.outcome != Outcome::Insert)
            continue;
        if (any)
            sql += u',';
        BulkInsert::appendQuoted(sql, row.values[kCodeField]);
        any = true;
    }
    if (!any)
        return;
    QSet<QString> existing;
    for (const QString& code : StoreSql(nullptr, u"CustomerImport"_s).firstColumn(sql + u')', u"skipExisting"_s))
        existing.insert(codeKey(code));
    for (Row& row : rows) {
        if (row.outcome == Outcome::Insert && existing.contains(codeKey(row.values[kCodeField]))) {
            row.outcome = Outcome::Skip;
            row.log << u"[%1]과(와) 일치하는 코드가 있습니다."_s.arg(row.values[kCodeField]);
        }
    }
}

QStringList CustomerImport::check(int firstRow, int lastRow)
{
    QStringList lines;
    for (const Row& row : checkedRows(firstRow, lastRow))
        lines += row.log;
    return lines;
}

void CustomerImport::appendTuple(QString& sql, const QStringList& values)
{
    sql += u"( "_s;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i)
            sql += u", "_s;
        BulkInsert::appendQuoted(sql, values[i]);
    }
    sql += u" )"_s;
}

bool CustomerImport::insertTogether(RowSpan batch, bool defersPieces)
{
    QString& sql = m_statement;
    QString& codes = m_codes;
    sql.resize(0);
    codes.resize(0);
    sql += insertHead();
    for (const Row& row : batch) {
        if (row.outcome != Outcome::Insert)
            continue;
        if (!codes.isEmpty()) {
            sql += u", "_s;
            codes += u',';
        }
        appendTuple(sql, row.values);
        BulkInsert::appendQuoted(codes, row.values[kCodeField]);
    }
    if (codes.isEmpty())
        return true;
    if (!defersPieces) {
        DBExecute(sql, true);
        return !DBLastFailed();
    }
    // The rows and their pieces commit together, so a search finds them the moment they exist.
    const QString table = u"customer"_s;
    const QStringList statements{u"START TRANSACTION"_s, TrigramIndex::deferStatement(table, true), sql,
                                 TrigramIndex::piecesStatement(table, codes), TrigramIndex::deferStatement(table, false),
                                 u"COMMIT"_s};
    for (const QString& statement : statements) {
        DBExecute(statement, true);
        if (DBLastFailed()) {
            DBExecute(u"ROLLBACK"_s, true);
            DBExecute(TrigramIndex::deferStatement(table, false), true);
            return false;
        }
    }
    return true;
}

void CustomerImport::insertAlone(const Row& row)
{
    QString sql = insertHead();
    appendTuple(sql, row.values);
    DBExecute(sql, true);
    if (!DBLastFailed())
        return;
    const cMySQL* c = DBConnection(0);
    throw DbError(static_cast<long>(DBLastErrno()), u"CustomerImport::store"_s, c ? c->lastError() : QString());
}

void CustomerImport::assignCodes(RowSpan batch)
{
    const int length = fields()[kCodeField].maxLength;
    qint64 next = 0; // not asked yet: the editor's codes start at 1
    for (Row& row : batch) {
        if (row.outcome != Outcome::Insert)
            continue;
        if (next == 0) {
            // Empty when the codes ran out, which the operator has been told.
            const QString first = CustomerStore().nextCode();
            next = first.isEmpty() ? std::numeric_limits<qint64>::max() : first.toLongLong();
        }
        const QString code = QString::number(next).rightJustified(length, u'0');
        if (code.size() > length) {
            row.log << u"%1행의 코드를 자동으로 정할 수 없습니다. -> 코드가 최대값을 넘었습니다."_s.arg(row.number);
            row.outcome = Outcome::Skip;
            continue;
        }
        ++next;
        row.values[kCodeField] = code;
    }
}

void CustomerImport::store(RowSpan batch, bool defersPieces, const Listener& listener, Result& result)
{
    if (generatesCodes())
        assignCodes(batch);
    const bool together = insertTogether(batch, defersPieces);
    // When the batch fails its rows go one by one, so the rows before the failing one are stored
    // and logged and the import stops at that row, as without batches. Another desk may have
    // taken a code since the check.
    if (!together)
        skipExisting(batch);
    for (const Row& row : batch) {
        for (const QString& line : row.log)
            listener.log(line);
        if (row.outcome == Outcome::Insert) {
            if (!together)
                insertAlone(row);
            ++result.imported;
            listener.imported(row.number);
        } else {
            ++result.passedOver;
        }
        listener.rowDone(row.number);
    }
}

CustomerImport::Result CustomerImport::run(int firstRow, int lastRow, const Listener& listener)
{
    Result result;
    QList<Row>& rows = checkedRows(firstRow, lastRow);
    const QString table = u"customer"_s;
    const bool defersPieces = TrigramIndex::defersPieces(table);
    for (qsizetype first = 0; first < rows.size();) {
        qsizetype end = first;
        for (int inserts = 0; end < rows.size() && inserts < m_rowsPerStatement; ++end)
            inserts += rows[end].outcome == Outcome::Insert ? 1 : 0;
        store(RowSpan(rows).subspan(first, end - first), defersPieces, listener, result);
        first = end;
    }
    // The searches plan by these: those of a table many times smaller mislead them.
    if (result.imported > 0) {
        const QString pieces = defersPieces ? TrigramIndex::sideTableFor(table) : QString();
        RecordSetPtr rs;
        DBOpenRS(rs, u"ANALYZE TABLE "_s + table + (pieces.isEmpty() ? QString() : u", "_s + pieces), true);
        CloseRS(rs);
    }
    return result;
}

} // namespace asv
