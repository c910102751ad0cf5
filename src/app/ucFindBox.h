#pragma once

#include "Pick.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace asv {

// The code-entry field of every screen that refers to a user, a customer or a product: the
// operator types a code, part of a name or a number, and Enter resolves it to one record through
// the find-or-register flow; the box then shows the record's name and keeps its code.
class ucFindBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText USER true)
    Q_PROPERTY(QString code READ code WRITE setCode)
    Q_PROPERTY(QString FilterVal READ filterVal WRITE setFilterVal)
    Q_PROPERTY(int FindType READ findType WRITE setFindType)
    Q_PROPERTY(bool bAddNew READ addNew WRITE setAddNew)
    Q_PROPERTY(bool AutoTab READ autoTab WRITE setAutoTab)
    Q_PROPERTY(bool CodeShow READ codeShow WRITE setCodeShow)
    Q_PROPERTY(int IMEMode READ imeMode WRITE setImeMode)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    enum Kind { FindUserKind = 1, FindCustKind = 2, FindProdKind = 3 };

    explicit ucFindBox(QWidget* parent = nullptr);
    // A box named for tests and other parts, finding records of kind.
    static ucFindBox* create(QWidget* parent, const QString& name, int kind);

    // The shown name, or what the operator typed.
    QString Text() const;
    void SetText(const QString& text);
    // Empty while the shown text is not a resolved record.
    QString code() const { return m_code; }
    void setCode(const QString& code);
    // Shows a record the host already knows.
    void setRecord(const QString& code, const QString& name);
    void clear();

    // Extra SQL condition handed to the picker's search.
    QString filterVal() const { return m_filterVal; }
    void setFilterVal(const QString& condition) { m_filterVal = condition; }
    int findType() const { return m_findType; }
    void setFindType(int kind) { m_findType = kind; }
    bool addNew() const { return m_addNew; }
    void setAddNew(bool on) { m_addNew = on; }
    bool autoTab() const { return m_autoTab; }
    void setAutoTab(bool on) { m_autoTab = on; }
    bool codeShow() const { return m_codeShow; }
    void setCodeShow(bool on);
    // Kept for the hosts' layouts; input language is left to the desktop's input method.
    int imeMode() const { return m_imeMode; }
    void setImeMode(int mode) { m_imeMode = mode; }
    QColor backColor() const;
    void setBackColor(const QColor& color);

    // Shows the record whose code this is (its name looked up); an unknown code shows no name.
    void FindName(const QString& code);
    // The search for the typed text; true when a record was taken.
    bool ProcFind();

    QLineEdit* editor() const { return m_txtName; }

signals:
    // Every key pressed in the box, for the host's own keys (F3, shortcuts).
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A record was taken by ProcFind.
    void found(const QString& code, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString kindLabel() const;
    Pick search(const QString& kind);
    void showCode();

    QLabel* m_lblCode;
    QLineEdit* m_txtName;
    QString m_code;
    QString m_filterVal;
    int m_findType = FindCustKind;
    bool m_addNew = true;
    bool m_autoTab = false;
    bool m_codeShow = false;
    int m_imeMode = 0;
};

} // namespace asv
