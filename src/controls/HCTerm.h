#pragma once

#include "QuickPeriod.h"

#include <QColor>
#include <QWidget>
#include <optional>

namespace asv {

class DateField;

// The period box: from-date and to-date, the calendar button "cmdCaln" (for the date last
// focused), the quick-period button "cmdAdvn" and the day-step arrows "udMvDay".
class HCTerm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text1 READ Text1 WRITE SetText1)
    Q_PROPERTY(QString Text2 READ Text2 WRITE SetText2)
    Q_PROPERTY(bool AllowEmpty READ allowEmpty WRITE setAllowEmpty)
    Q_PROPERTY(bool AutoTab READ autoTab WRITE setAutoTab)
    Q_PROPERTY(bool FocusEffect READ focusEffect WRITE setFocusEffect)
    Q_PROPERTY(QColor FocusEffectParam READ focusEffectColor WRITE setFocusEffectColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(int EasyDateShowPos READ easyDateShowPos WRITE setEasyDateShowPos)

public:
    // Starts on today to today.
    explicit HCTerm(QWidget* parent = nullptr);

    QString Text1() const;
    void SetText1(const QString& text);
    QString Text2() const;
    void SetText2(const QString& text);
    std::optional<QDate> from() const;
    std::optional<QDate> to() const;
    void setPeriod(const DatePeriod& period);

    // From the first of the current month, or of the year, to today.
    void setThisMonth();
    void setThisYear();
    // Moves both dates by days; beeps unless both are dates.
    void stepDays(int days);
    // Opens the quick-period dialog and takes its period when one was chosen.
    void openEasyDate();

    bool allowEmpty() const;
    void setAllowEmpty(bool on);
    bool autoTab() const;
    void setAutoTab(bool on);
    bool focusEffect() const;
    void setFocusEffect(bool on);
    QColor focusEffectColor() const;
    void setFocusEffectColor(const QColor& c);
    QColor backColor() const;
    void setBackColor(const QColor& c);
    // PopupPlace: 0 below the box, 1 above it, 2 centred on the window.
    int easyDateShowPos() const { return m_easyDateShowPos; }
    void setEasyDateShowPos(int place) { m_easyDateShowPos = place; }

signals:
    void changed();

private:
    void pickFromCalendar();

    DateField* m_from;
    DateField* m_to;
    DateField* m_lastFocused;
    int m_easyDateShowPos = 0;
};

} // namespace asv
