#pragma once

#include "HCText.h"

#include <QDate>
#include <optional>

namespace asv {

// The masked "____-__-__" field inside the date and period boxes and the quick-period dialog.
// Enter, Down and Up move between fields; leaving it checks the date.
class DateField : public HCText {
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    // "yyyy-mm-dd", or empty when nothing is typed; a half-typed date comes back as it stands.
    QString dateText() const;
    void setDateText(const QString& text);
    std::optional<QDate> date() const;
    void setDate(const QDate& date);

    bool allowEmpty() const { return m_allowEmpty; }
    void setAllowEmpty(bool on) { m_allowEmpty = on; }
    // A completed date moves the focus on by itself.
    bool tabWhenComplete() const { return m_tabWhenComplete; }
    void setTabWhenComplete(bool on) { m_tabWhenComplete = on; }

    // Shows the date message and brings the focus back when the text is no acceptable date.
    bool validate();

protected:
    void leaveField() override;

private:
    void onEdited();

    bool m_allowEmpty = false;
    bool m_tabWhenComplete = false;
};

} // namespace asv
