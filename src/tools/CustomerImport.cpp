#include "CustomerImport.h"

#include "DbError.h"
#include "StoreSql.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kInsertHead = u"INSERT INTO customer ( code, compname, compalias, modelname, telno1, telno2, hpno, "
                            "zipcode, addr1, addr2, bigo ) VALUES "_s;

QString missingLine(int row, int field)
{
    return field == CustomerImport::kCodeField
        ? u"%1행의 코드가 없습니다. -> 코드는 필수 입력사항입니다. 자료 수정 후 다시 시도 하세요."_s.arg(row)
        : u"%1행의 상호, 고객명이 없습니다. -> 상호, 고객명은 필수 입력사항입니다. 자료 수정 후 다시 시도 하세요."_s.arg(row);
}

// The statement failed: its error goes up to the window's guard.
void throwIfFailed()
{
    if (!DBLastFailed())
        return;
    const cMySQL* c = DBConnection(0);
    throw DbError(static_cast<long>(DBLastErrno()), u"CustomerImport::store"_s, c ? c->lastError() : QString());
}

} // namespace

const QList<CustomerImport::Field>& CustomerImport::fields()
{
    static const QList<Field> list{
        {u"코드"_s, u"code"_s, 6},         {u"상호, 고객명"_s, u"compname"_s, 40}, {u"약칭명"_s, u"compalias"_s, 40},
        {u"모델명"_s, u"modelname"_s, 100}, {u"전화번호"_s, u"telno1"_s, 20},     {u"전화번호2"_s, u"telno2"_s, 20},
        {u"휴대전화"_s, u"hpno"_s, 20},     {u"우편번호"_s, u"zipcode"_s, 7},     {u"주소"_s, u"addr1"_s, 60},
        {u"상세주소"_s, u"addr2"_s, 100},   {u"비고"_s, u"bigo"_s, 50},
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
    const QStringList& cells = m_cells.value(number - 1);
    for (qsizetype f = 0; f < fields().size(); ++f) {
        const Field& field = fields()[f];
        QString value = cells.value(m_columns[f]).trimmed();
        if (value.size() > field.maxLength) {
            value = value.left(field.maxLength).trimmed();
            row.log << u"%1행의 %2 길이가 너무 깁니다.(최대 %3자) 길이만큼 자동으로 짤립니다. -> %4"_s.arg(number).arg(
                field.label, QString::number(field.maxLength), value);
        }
        row.values << value;
    }
    for (int required : {kCodeField, kNameField}) {
        if (row.values[required].isEmpty()) {
            row.log << missingLine(number, required);
            row.outcome = Outcome::Stop;
            break;
        }
    }
    return row;
}

QList<CustomerImport::Row> CustomerImport::readBatch(int first, int last, QSet<QString>& taken, bool endAtStop) const
{
    QList<Row> rows;
    QStringList codes;
    for (int r = first; r <= last && rows.size() < m_rowsPerStatement; ++r) {
        rows.append(read(r));
        if (rows.last().outcome == Outcome::Stop) {
            if (endAtStop)
                break;
            continue;
        }
        codes << u'\'' + SQLQuote(rows.last().values[kCodeField]) + u'\'';
    }
    QSet<QString> existing;
    if (!codes.isEmpty()) {
        const QStringList found = StoreSql::firstColumn(
            u"SELECT code FROM customer WHERE code IN ("_s + codes.join(u',') + u')', u"CustomerImport"_s, u"readBatch"_s);
        for (const QString& code : found)
            existing.insert(codeKey(code));
    }
    for (Row& row : rows) {
        if (row.outcome == Outcome::Stop)
            continue;
        const QString& code = row.values[kCodeField];
        if (existing.contains(codeKey(code)) || taken.contains(codeKey(code))) {
            row.outcome = Outcome::Skip;
            row.log << u"[%1]과(와) 일치하는 코드가 있습니다."_s.arg(code);
        } else {
            taken.insert(codeKey(code));
        }
    }
    return rows;
}

QStringList CustomerImport::check(int firstRow, int lastRow) const
{
    QStringList lines;
    QSet<QString> taken;
    for (int first = firstRow; first <= lastRow; first += m_rowsPerStatement) {
        for (const Row& row : readBatch(first, lastRow, taken, false))
            lines += row.log;
    }
    return lines;
}

QString CustomerImport::valuesTuple(const QStringList& values)
{
    QString tuple = u"( "_s;
    for (qsizetype i = 0; i < values.size(); ++i)
        tuple += (i ? u", '"_s : u"'"_s) + SQLQuote(values[i]) + u'\'';
    return tuple + u" )"_s;
}

void CustomerImport::store(const QList<Row>& batch, const Listener& listener, Result& result) const
{
    QStringList tuples;
    for (const Row& row : batch) {
        if (row.outcome == Outcome::Insert)
            tuples << valuesTuple(row.values);
    }
    bool together = true;
    if (!tuples.isEmpty()) {
        DBExecute(kInsertHead + tuples.join(u", "_s), true);
        together = !DBLastFailed();
    }
    // When the batch fails its rows go one by one, so the rows before the failing one are stored
    // and logged and the import stops at that row, as without batches.
    for (const Row& row : batch) {
        for (const QString& line : row.log)
            listener.log(line);
        if (row.outcome == Outcome::Insert) {
            if (!together) {
                DBExecute(kInsertHead + valuesTuple(row.values), true);
                throwIfFailed();
            }
            ++result.imported;
            listener.imported(row.number);
        }
        listener.rowDone(row.number);
    }
}

CustomerImport::Result CustomerImport::run(int firstRow, int lastRow, const Listener& listener)
{
    Result result;
    QSet<QString> taken;
    for (int first = firstRow; first <= lastRow;) {
        QList<Row> batch = readBatch(first, lastRow, taken, true);
        const bool stopped = batch.last().outcome == Outcome::Stop;
        const Row stopRow = batch.last();
        if (stopped)
            batch.removeLast();
        store(batch, listener, result);
        if (stopped) {
            for (const QString& line : stopRow.log)
                listener.log(line);
            result.completed = false;
            return result;
        }
        first = batch.last().number + 1;
    }
    return result;
}

} // namespace asv
