#pragma once

#include "MailDraft.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace asv {

class Grid;

// Prints a list: title and subtitle on the first page, the column captions on every page, only
// the printed columns (shrunk to the page width when wider), page numbers at the foot. The page
// set-up is remembered per list (PageSetupMemory).
class GridPrinter {
public:
    GridPrinter(const Grid& grid, const QString& title, const QString& subtitle = {});

    const QString& subtitle() const { return m_subtitle; }
    // A band across the table above a row, for lists printed in groups; "" for none.
    void setRowHeading(std::function<QString(int row)> heading) { m_rowHeading = std::move(heading); }

    // The remembered page set-up's name; by default the grid's form.
    void setSetupName(const QString& name) { m_setupName = name; }
    const QString& setupName() const { return m_setupName; }

    void loadPageSetup(QPrinter& printer) const;
    void savePageSetup(const QPrinter& printer) const;

    // Paints every page; the number of pages, 0 when the printer could not be opened.
    int render(QPrinter& printer) const;
    bool printToPdf(const QString& path) const;
    // The preview offers "메일 보내기" once a mail screen is installed.
    void preview(QWidget* parent) const;
    bool print(QWidget* parent) const;

    // Who a mailed printout goes to, when the list is one customer's.
    void setMailRecipient(const QString& name, const QString& address);
    // The printout as a PDF in the program folder's "Mail", attached to a mail to the recipient;
    // nullopt (told) when the file could not be written.
    std::optional<MailDraft> mailDraft() const;

    using Mailer = std::function<void(QWidget* from, const MailDraft& draft)>;
    // The mail screen lives above the controls; an empty mailer removes it.
    static void setMailer(Mailer mailer);
    static bool canMail();

    static QString setupApplication();

private:
    const Grid& m_grid;
    QString m_title;
    QString m_subtitle;
    QString m_setupName;
    std::function<QString(int row)> m_rowHeading;
    QString m_mailName;
    QString m_mailAddress;
};

} // namespace asv
