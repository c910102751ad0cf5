#pragma once

#include <QColor>
#include <QLineEdit>

namespace asv {

// The single-line input of the editors: the kind of input it takes, a code-page byte limit that is
// explained when it cuts, number display with separators, telephone and time formats, Enter as a
// move to the next field, and a focus colouring with an edge line.
class HCText : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText USER true)
    Q_PROPERTY(int AcceptType READ acceptType WRITE setAcceptType)
    Q_PROPERTY(int MaxLength READ byteLimit WRITE setByteLimit)
    Q_PROPERTY(int DecPlace READ decPlace WRITE setDecPlace)
    Q_PROPERTY(bool ShowSeparate READ showSeparate WRITE setShowSeparate)
    Q_PROPERTY(int ConvertCase READ convertCase WRITE setConvertCase)
    Q_PROPERTY(bool AutoTab READ autoTab WRITE setAutoTab)
    Q_PROPERTY(int IMEMode READ imeMode WRITE setImeMode)
    Q_PROPERTY(QString PasswordChar READ passwordChar WRITE setPasswordChar)
    Q_PROPERTY(bool Locked READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(int Appearance READ appearance WRITE setAppearance)
    Q_PROPERTY(int BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(int TopMagin READ topMargin WRITE setTopMargin)
    Q_PROPERTY(bool FocusEffect READ focusEffect WRITE setFocusEffect)
    Q_PROPERTY(QColor FocusEffectParam READ focusEffectColor WRITE setFocusEffectColor)
    Q_PROPERTY(int EdgeWidth READ edgeWidth WRITE setEdgeWidth)
    Q_PROPERTY(QColor EdgeColor READ edgeColor WRITE setEdgeColor)
    Q_PROPERTY(bool EdgeFocus READ edgeFocus WRITE setEdgeFocus)
    Q_PROPERTY(QColor EdgeFocusColor READ edgeFocusColor WRITE setEdgeFocusColor)
    Q_PROPERTY(bool bChanged READ bChanged WRITE setBChanged)

public:
    enum Kind { AnyText = 0, Number = 1, LatinLetters = 2, Telephone = 3, Time = 4, PatternNumber = 5 };
    enum Case { KeepCase = 0, UpperCase = 1, LowerCase = 2 };
    enum Ime { ImeNoControl = 0, ImeHangul = 1, ImeLatin = 2 };

    explicit HCText(QWidget* parent = nullptr);

    // The value: for a number shown with separators the bare number, otherwise what is shown.
    QString Text() const;
    void SetText(const QString& value);

    int acceptType() const { return m_kind; }
    void setAcceptType(int kind);
    // In code-page bytes, Hangul counting 2; 0 = no limit.
    int byteLimit() const { return m_byteLimit; }
    void setByteLimit(int bytes) { m_byteLimit = bytes; }
    int decPlace() const { return m_decPlace; }
    void setDecPlace(int decimals);
    bool showSeparate() const { return m_showSeparate; }
    void setShowSeparate(bool on);
    int convertCase() const { return m_convertCase; }
    void setConvertCase(int mode) { m_convertCase = mode; }
    bool autoTab() const { return m_autoTab; }
    void setAutoTab(bool on) { m_autoTab = on; }
    int imeMode() const { return m_imeMode; }
    void setImeMode(int mode);
    QString passwordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString& ch);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& c);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& c);
    int appearance() const { return m_appearance; }
    void setAppearance(int flat0_3d1);
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int none0_single1);
    int topMargin() const { return m_topMargin; }
    void setTopMargin(int pixels);
    bool focusEffect() const { return m_focusEffect; }
    void setFocusEffect(bool on);
    QColor focusEffectColor() const { return m_focusColor; }
    void setFocusEffectColor(const QColor& c);
    int edgeWidth() const { return m_edgeWidth; }
    void setEdgeWidth(int pixels);
    QColor edgeColor() const { return m_edgeColor; }
    void setEdgeColor(const QColor& c);
    bool edgeFocus() const { return m_edgeFocus; }
    void setEdgeFocus(bool on);
    QColor edgeFocusColor() const { return m_edgeFocusColor; }
    void setEdgeFocusColor(const QColor& c);
    // Set by typing; the window clears it after loading or saving.
    bool bChanged() const { return m_bChanged; }
    void setBChanged(bool on) { m_bChanged = on; }
    // Brings the focus back after a refused value. The field that had just received it was never
    // really left, so its own rules stay quiet; two refused fields cannot bounce it between them.
    void reclaimFocus();

signals:
    void changed();
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void keyPress(const QString& text);
    void gotFocus();
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The rules run when the operator leaves the field, in their order; subclasses add their own.
    virtual void leaveField();
    void moveFocus(bool forward);

private:
    bool acceptsTyped(const QString& text) const;
    void pasteTelephone();
    bool formatsNumber() const { return m_kind == Number && m_showSeparate; }
    void showNumberFormatted(const QString& number);
    void refreshDisplay();
    void applyColours();
    void applyFrame();
    void applyInputMethod();
    int edgePenWidth() const;

    int m_kind = AnyText;
    int m_byteLimit = 0;
    int m_decPlace = 0;
    bool m_showSeparate = true;
    int m_convertCase = KeepCase;
    bool m_autoTab = true;
    int m_imeMode = ImeNoControl;
    QString m_passwordChar;
    QColor m_backColor;
    QColor m_foreColor;
    int m_appearance = 1;
    int m_borderStyle = 1;
    int m_topMargin = 0;
    bool m_focusEffect = true;
    QColor m_focusColor{0xFF, 0xFA, 0xCD};
    int m_edgeWidth = 0;
    QColor m_edgeColor{0x80, 0x80, 0x80};
    bool m_edgeFocus = false;
    QColor m_edgeFocusColor{0x31, 0x6A, 0xC5};
    bool m_bChanged = false;
    // While the formatted number is shown, the value lives here.
    bool m_showingFormatted = false;
    QString m_number;
    static bool s_reclaiming;
};

} // namespace asv
