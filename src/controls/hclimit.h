#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;

namespace asv {

class HCText;

// The record-limit box of a list window: the check "chkRecLimit" and the number "htLimit". Its
// state is kept per window in "LimitRec.INI" of the program folder and written at every change.
class hclimit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool CheckLimit READ checkLimit WRITE setCheckLimit)
    Q_PROPERTY(int BoxIndex READ boxIndex WRITE setBoxIndex)
    Q_PROPERTY(QString FormName READ formName WRITE setFormName)

public:
    explicit hclimit(QWidget* parent = nullptr);

    // " LIMIT 0, <n>" when checked with a number above 0, "" otherwise; list windows append it to
    // their query.
    QString LimitClause();

    // The check state used until the window has one of its own.
    bool checkLimit() const { return m_checkLimit; }
    void setCheckLimit(bool on) { m_checkLimit = on; }
    // 0 or 1: the first or second limit box of the same window.
    int boxIndex() const { return m_boxIndex; }
    void setBoxIndex(int index) { m_boxIndex = index; }
    // The INI section; by default the name of the window holding the box.
    QString formName() const;
    void setFormName(const QString& name) { m_formName = name; }

    // Reads the remembered state; done by itself when first shown or asked for the clause.
    void load();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void save();
    QString limitKey() const;

    QCheckBox* m_check;
    HCText* m_limit;
    bool m_checkLimit = false;
    int m_boxIndex = 0;
    QString m_formName;
    bool m_loaded = false;
};

} // namespace asv
