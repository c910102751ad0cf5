#pragma once

#include <QColor>
#include <QDate>
#include <QWidget>
#include <optional>

class QHBoxLayout;

namespace asv {

class DateField;

// The single-date box: a masked date and the calendar button "cmdCaln".
class hcDate : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText USER true)
    Q_PROPERTY(bool AllowEmpty READ allowEmpty WRITE setAllowEmpty)
    Q_PROPERTY(bool AutoTab READ autoTab WRITE setAutoTab)
    Q_PROPERTY(bool FocusEffect READ focusEffect WRITE setFocusEffect)
    Q_PROPERTY(QColor FocusEffectParam READ focusEffectColor WRITE setFocusEffectColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    // Starts on today.
    explicit hcDate(QWidget* parent = nullptr);

    // "yyyy-mm-dd" or empty.
    QString Text() const;
    void SetText(const QString& text);
    std::optional<QDate> date() const;
    void setDate(const QDate& date);

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

signals:
    void changed();

protected:
    // Room for what a derived box adds after the calendar button.
    QHBoxLayout* m_layout;

private:
    void pickFromCalendar();

    DateField* m_field;
};

} // namespace asv
