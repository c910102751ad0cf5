#pragma once

#include <QPageLayout>
#include <QString>

class QPrinter;
class QWidget;

namespace asv {

class PaintedDocument;

// Preview, printer and PDF file for a painted document; the page set-up the operator chose is
// remembered under the document's kind.
class DocumentPrinter {
public:
    DocumentPrinter(PaintedDocument& document, QString kind, QString title, QPageLayout defaults);

    // The paper stays the document's own (a roll label's size); only orientation and margins are taken.
    void setFixedPaper(bool fixed) { m_fixedPaper = fixed; }

    enum Output { Preview, Printer, Pdf };
    // Pdf without a path asks the operator for the file. False when nothing was printed or written.
    bool run(Output output, QWidget* parent, const QString& path = {}) const;

    bool printToPdf(const QString& path) const;
    void preview(QWidget* parent) const;
    bool print(QWidget* parent) const;

private:
    void prepare(QPrinter& printer) const;
    void remember(const QPrinter& printer) const;

    PaintedDocument& m_document;
    QString m_kind;
    QString m_title;
    QPageLayout m_defaults;
    bool m_fixedPaper = false;
};

} // namespace asv
