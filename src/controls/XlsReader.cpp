#include "XlsReader.h"

#include <QFile>
#include <freexl.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kBroken = u"엑셀파일의 정보를 알수 없습니다. 파일이 손상되었습니다."_s;

} // namespace

XlsReader::XlsReader(const QString& path) : m_path(path)
{
    const int rc = freexl_open(QFile::encodeName(path).constData(), &m_handle);
    switch (rc) {
    case FREEXL_OK:
        break;
    case FREEXL_FILE_NOT_FOUND:
        closeAndFail(kCannotOpen, u"파일을 열 수 없습니다."_s);
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        // An OLE file without a workbook: another office document, or an encrypted new-format one.
        closeAndFail(kNotSpreadsheet, u"엑셀파일이 아니거나, 암호가 걸린 파일입니다."_s);
    default:
        closeAndFail(kBrokenFile, kBroken + u" (FreeXL %1)"_s.arg(rc));
    }

    unsigned int info = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        closeAndFail(kCannotOpen, u"암호가 걸린 엑셀파일은 읽을 수 없습니다. 암호를 해제한 뒤 다시 시도하세요."_s);
    if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK)
        closeAndFail(kBrokenFile, kBroken);
    for (unsigned int i = 0; i < info; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(m_handle, static_cast<unsigned short>(i), &name) != FREEXL_OK)
            closeAndFail(kBrokenFile, kBroken);
        m_sheets.append(QString::fromUtf8(name));
    }
}

void XlsReader::closeAndFail(long number, const QString& message)
{
    freexl_close(m_handle);
    m_handle = nullptr;
    fail(number, m_path, message);
}

XlsReader::~XlsReader()
{
    freexl_close(m_handle);
}

QList<QStringList> XlsReader::readSheet(int index)
{
    if (index < 0 || index >= m_sheets.size())
        fail(kBrokenFile, m_path, u"시트를 찾을 수 없습니다: %1"_s.arg(index + 1));
    if (freexl_select_active_worksheet(m_handle, static_cast<unsigned short>(index)) != FREEXL_OK)
        fail(kBrokenFile, m_path, kBroken);
    unsigned int rowCount = 0;
    unsigned short colCount = 0;
    if (freexl_worksheet_dimensions(m_handle, &rowCount, &colCount) != FREEXL_OK)
        fail(kBrokenFile, m_path, kBroken);

    QList<QStringList> rows;
    rows.reserve(rowCount);
    for (unsigned int r = 0; r < rowCount; ++r) {
        QStringList row;
        row.reserve(colCount);
        for (unsigned short c = 0; c < colCount; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(m_handle, r, c, &cell) != FREEXL_OK)
                fail(kBrokenFile, m_path, kBroken + u" (%1행 %2열)"_s.arg(r + 1).arg(c + 1));
            switch (cell.type) {
            case FREEXL_CELL_INT:
                row.append(QString::number(cell.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                row.append(numberText(cell.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                row.append(QString::fromUtf8(cell.value.text_value));
                break;
            default:
                row.append(QString());
                break;
            }
        }
        rows.append(row);
    }
    squareUp(rows);
    return rows;
}

} // namespace asv
