#include "DocumentPrinter.h"

#include "PageSetupMemory.h"
#include "PaintedDocument.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace asv {

DocumentPrinter::DocumentPrinter(PaintedDocument& document, QString kind, QString title, QPageLayout defaults)
    : m_document(document), m_kind(std::move(kind)), m_title(std::move(title)), m_defaults(std::move(defaults))
{
}

void DocumentPrinter::prepare(QPrinter& printer) const
{
    printer.setDocName(m_title);
    QPageLayout layout = PageSetupMemory(m_kind).load(m_defaults);
    if (m_fixedPaper)
        layout.setPageSize(m_defaults.pageSize(), layout.margins());
    printer.setPageLayout(layout);
}

void DocumentPrinter::remember(const QPrinter& printer) const
{
    PageSetupMemory(m_kind).save(printer.pageLayout());
}

bool DocumentPrinter::run(Output output, QWidget* parent, const QString& path) const
{
    switch (output) {
    case Preview:
        preview(parent);
        return true;
    case Printer:
        return print(parent);
    case Pdf: {
        const QString file =
            path.isEmpty() ? QFileDialog::getSaveFileName(parent, m_title, m_title + u".pdf"_s, u"PDF (*.pdf)"_s) : path;
        return !file.isEmpty() && printToPdf(file);
    }
    }
    return false;
}

bool DocumentPrinter::printToPdf(const QString& path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    prepare(printer);
    return m_document.render(printer);
}

void DocumentPrinter::preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPreview"));
    dialog.setWindowTitle(m_title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* target) { m_document.render(*target); });
    dialog.exec();
    remember(printer);
}

bool DocumentPrinter::print(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    remember(printer);
    return m_document.render(printer);
}

} // namespace asv
