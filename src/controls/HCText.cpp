#include "HCText.h"

#include "Cp949.h"
#include "FormatTelNo.h"
#include "HCTextRules.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

// The field tables name the kinds without the widget; both must mean the same numbers.
static_assert(int(HCText::AnyText) == TextKind::AnyText && int(HCText::Number) == TextKind::Number
              && int(HCText::LatinLetters) == TextKind::LatinLetters && int(HCText::Telephone) == TextKind::Telephone
              && int(HCText::Time) == TextKind::Time && int(HCText::PatternNumber) == TextKind::PatternNumber);

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLatinLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Control keys (backspace, Ctrl+letter, ...) carry no printable text and always pass.
bool isPrintable(const QString& text)
{
    return !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F;
}

// Window switches and popup menus take the focus for a moment; the operator has not left the field.
bool leavesField(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

HCText::HCText(QWidget* parent) : QLineEdit(parent)
{
    m_backColor = palette().color(QPalette::Base);
    m_foreColor = palette().color(QPalette::Text);
    connect(this, &QLineEdit::textChanged, this, &HCText::changed);
    connect(this, &QLineEdit::textEdited, this, [this] { m_bChanged = true; });
}

QString HCText::Text() const
{
    return m_showingFormatted ? m_number : text();
}

void HCText::SetText(const QString& value)
{
    if (formatsNumber() && !hasFocus()) {
        showNumberFormatted(value);
        return;
    }
    m_showingFormatted = false;
    setText(value);
}

void HCText::showNumberFormatted(const QString& number)
{
    m_number = number;
    m_number.remove(u',');
    QString shown = m_number;
    bool ok = false;
    const double value = m_number.toDouble(&ok);
    if (ok)
        shown = FormatNumber(value, GetDecFormat(m_decPlace, true, true, true));
    m_showingFormatted = true;
    setText(shown);
}

void HCText::refreshDisplay()
{
    // Only the look changes; the value stays.
    const QString value = Text();
    const QSignalBlocker quiet(this);
    m_showingFormatted = false;
    setText(value);
    if (formatsNumber() && !hasFocus())
        showNumberFormatted(value);
}

void HCText::setAcceptType(int kind)
{
    m_kind = kind;
    setAcceptDrops(kind == AnyText);
    applyInputMethod();
    refreshDisplay();
}

void HCText::setDecPlace(int decimals)
{
    if (decimals < 0) {
        MsgWarn(u"음수는 설정할 수 없습니다."_s);
        return;
    }
    m_decPlace = decimals;
    refreshDisplay();
}

void HCText::setShowSeparate(bool on)
{
    m_showSeparate = on;
    refreshDisplay();
}

void HCText::setImeMode(int mode)
{
    m_imeMode = mode;
    applyInputMethod();
}

void HCText::setPasswordChar(const QString& ch)
{
    // The platform draws its own mask character; any non-empty value hides the text.
    m_passwordChar = ch.left(1);
    setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    applyInputMethod();
}

void HCText::applyInputMethod()
{
    // Only free text takes Hangul composition; the other kinds and Latin fields type plain keys.
    const bool composed = m_kind == AnyText && m_imeMode != ImeLatin && m_passwordChar.isEmpty();
    setAttribute(Qt::WA_InputMethodEnabled, composed);
    setInputMethodHints(composed ? Qt::ImhNone : Qt::ImhPreferLatin);
}

void HCText::setBackColor(const QColor& c)
{
    m_backColor = c;
    applyColours();
}

void HCText::setForeColor(const QColor& c)
{
    m_foreColor = c;
    applyColours();
}

void HCText::setFocusEffect(bool on)
{
    m_focusEffect = on;
    applyColours();
}

void HCText::setFocusEffectColor(const QColor& c)
{
    m_focusColor = c;
    applyColours();
}

void HCText::applyColours()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, m_focusEffect && hasFocus() ? m_focusColor : m_backColor);
    pal.setColor(QPalette::Text, m_foreColor);
    setPalette(pal);
    update();
}

void HCText::setAppearance(int flat0_3d1)
{
    m_appearance = flat0_3d1;
    applyFrame();
}

void HCText::setBorderStyle(int none0_single1)
{
    m_borderStyle = none0_single1;
    applyFrame();
}

void HCText::applyFrame()
{
    // A flat bordered field gets a plain line instead of the sunken frame.
    setFrame(m_borderStyle != 0 && m_appearance != 0);
    update();
}

void HCText::setTopMargin(int pixels)
{
    m_topMargin = pixels;
    const QMargins m = textMargins();
    setTextMargins(m.left(), pixels, m.right(), m.bottom());
}

void HCText::setEdgeWidth(int pixels)
{
    m_edgeWidth = pixels;
    update();
}

void HCText::setEdgeColor(const QColor& c)
{
    m_edgeColor = c;
    update();
}

void HCText::setEdgeFocus(bool on)
{
    m_edgeFocus = on;
    update();
}

void HCText::setEdgeFocusColor(const QColor& c)
{
    m_edgeFocusColor = c;
    update();
}

int HCText::edgePenWidth() const
{
    if (m_edgeWidth > 0)
        return m_edgeWidth;
    return m_borderStyle != 0 && m_appearance == 0 ? 1 : 0;
}

void HCText::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    const int width = edgePenWidth();
    if (width <= 0)
        return;
    QPainter p(this);
    const QColor colour = m_edgeFocus && hasFocus() ? m_edgeFocusColor : m_edgeColor;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QRect r = rect();
    p.drawRect(0, 0, r.width(), width);
    p.drawRect(0, r.height() - width, r.width(), width);
    p.drawRect(0, 0, width, r.height());
    p.drawRect(r.width() - width, 0, width, r.height());
}

bool HCText::acceptsTyped(const QString& text) const
{
    const QChar c = text[0];
    switch (m_kind) {
    case Number:
        if (c == u'.')
            return !this->text().contains(u'.') || selectedText().contains(u'.');
        return isDigit(c);
    case Telephone:
    case Time:
    case PatternNumber:
        return isDigit(c);
    case LatinLetters:
        return isLatinLetter(c);
    default:
        return true;
    }
}

void HCText::moveFocus(bool forward)
{
    focusNextPrevChild(forward);
}

void HCText::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    const auto plain = event->modifiers() & ~Qt::KeypadModifier;

    if ((event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) && plain == Qt::NoModifier) {
        moveFocus(event->key() == Qt::Key_Down);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_autoTab) {
        moveFocus(true);
        return;
    }
    if (m_kind == Telephone && event->matches(QKeySequence::Paste)) {
        pasteTelephone();
        return;
    }

    const QString typed = event->text();
    if (!isPrintable(typed) || (plain & (Qt::ControlModifier | Qt::MetaModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    emit keyPress(typed);
    if (!acceptsTyped(typed)) {
        QApplication::beep();
        return;
    }
    if ((m_kind == AnyText || m_kind == LatinLetters) && m_convertCase != KeepCase) {
        const QString converted = m_convertCase == UpperCase ? typed.toUpper() : typed.toLower();
        if (converted != typed) {
            QKeyEvent replaced(event->type(), event->key(), event->modifiers(), converted, event->isAutoRepeat(),
                               event->count());
            QLineEdit::keyPressEvent(&replaced);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void HCText::pasteTelephone()
{
    QString digits = QApplication::clipboard()->text().trimmed();
    digits.remove(u'-');
    const bool numeric = !digits.isEmpty() && std::all_of(digits.cbegin(), digits.cend(), isDigit);
    if (!numeric || isReadOnly()) {
        QApplication::beep();
        return;
    }
    insert(digits);
}

void HCText::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (m_kind == Telephone) {
        if (QAction* paste = menu->findChild<QAction*>(u"edit-paste"_s)) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            connect(paste, &QAction::triggered, this, &HCText::pasteTelephone);
        }
    }
    menu->exec(event->globalPos());
    delete menu;
}

void HCText::focusInEvent(QFocusEvent* event)
{
    if (m_showingFormatted) {
        m_showingFormatted = false;
        const QSignalBlocker quiet(this);
        setText(m_number);
    }
    QLineEdit::focusInEvent(event);
    applyColours();
    emit gotFocus();
}

bool HCText::s_reclaiming = false;

void HCText::reclaimFocus()
{
    // Deferred: the field that is taking the focus right now must finish receiving it first.
    QTimer::singleShot(0, this, [this] {
        s_reclaiming = true;
        setFocus(Qt::OtherFocusReason);
        selectAll();
        s_reclaiming = false;
    });
}

void HCText::focusOutEvent(QFocusEvent* event)
{
    applyColours();
    const bool leaving = !s_reclaiming && leavesField(event->reason()) && isVisible();
    if (leaving)
        leaveField();
    QLineEdit::focusOutEvent(event);
    if (leaving)
        emit lostFocus();
}

void HCText::leaveField()
{
    QString t = text();
    while (!t.isEmpty() && t.back().isSpace())
        t.chop(1);

    if (!t.isEmpty()) {
        switch (m_kind) {
        case Telephone:
            t = FormatTelNo(t);
            break;
        case Time:
            if (const auto time = FormatTimeText(t))
                t = *time;
            else
                MsgWarn(TimeFormatMessage(t));
            break;
        case PatternNumber:
            t = FormatPatternNo(t);
            break;
        default:
            break;
        }
    }

    if (m_byteLimit > 0) {
        const qsizetype bytes = Cp949::byteLength(t);
        if (bytes > m_byteLimit) {
            MsgWarn(MaxLengthMessage(bytes, m_byteLimit), MaxLengthTitle());
            t = CutToByteLength(t, m_byteLimit);
        }
    }

    if (t != text())
        setText(t);
    if (formatsNumber()) {
        const QSignalBlocker quiet(this);
        showNumberFormatted(t);
    }
}

} // namespace asv
