#include "RecordEditor.h"

#include "Cp949.h"
#include "HCText.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kNotSaved = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;
const QString kDiscardChanges = u"변경된 내용이 있습니다. 저장하지 않고 닫으시겠습니까?"_s;

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

RecordEditor::RecordEditor(QWidget* parent, const QString& objectName, Setup setup)
    : QDialog(parent), m_setup(std::move(setup)), m_chkContinueAdd(new QCheckBox(m_setup.continueCaption, this)),
      m_btnSave(NamedButton(this, u"btnSave"_s, u"저장"_s)),
      m_btnClose(NamedButton(this, m_setup.closeName, u"닫기(&C)"_s))
{
    setObjectName(objectName);
    m_chkContinueAdd->setObjectName(m_setup.continueName);
    if (const Setting<bool>* keep = m_setup.continueSetting) {
        m_chkContinueAdd->setChecked(keep->get());
        connect(m_chkContinueAdd, &QCheckBox::clicked, this, [keep](bool on) { keep->set(on); });
    }
    if (m_setup.autoCode) {
        m_chkAutoCode = new QCheckBox(m_setup.autoCodeCaption, this);
        m_chkAutoCode->setObjectName(u"chkAutoCode"_s);
        m_chkAutoCode->setChecked(m_setup.autoCode->get());
        connect(m_chkAutoCode, &QCheckBox::clicked, this, &RecordEditor::autoCodeClicked);
    }
    connect(m_btnSave, &QPushButton::clicked, this, &RecordEditor::save);
    connect(m_btnClose, &QPushButton::clicked, this, &RecordEditor::reject);
}

void RecordEditor::layOut(QLayout* form)
{
    LayOutEditor(this, form, m_chkContinueAdd, m_btnSave, m_btnClose);
}

void RecordEditor::setFocusOrder(QList<QWidget*> order)
{
    order << m_chkContinueAdd << m_btnSave << m_btnClose;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // Text fields move on by themselves; boxes, lists and buttons do it here.
    for (QWidget* w : std::as_const(order)) {
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w))
            w->installEventFilter(this);
    }
}

bool RecordEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (!isEnter(event))
        return QDialog::eventFilter(watched, event);
    if (watched == m_btnSave || watched == m_btnClose)
        static_cast<QPushButton*>(watched)->click();
    else
        focusNextChild();
    return true;
}

void RecordEditor::watchValues(const QList<QWidget*>& controls)
{
    m_watched += controls;
}

void RecordEditor::lockCodeInEditMode(HCText* code)
{
    connect(code, &HCText::keyPress, this, [this] {
        if (m_mode == EditRecord)
            MsgInfo(u"코드는 수정할 수 없습니다."_s);
    });
}

void RecordEditor::forOneRecord()
{
    m_oneRecord = true;
    m_chkContinueAdd->setEnabled(false);
}

void RecordEditor::lockCodeWhileGenerated(HCText* code)
{
    lockCodeInEditMode(code);
    m_generatedCode = code;
}

void RecordEditor::applyCodeLock()
{
    if (!m_generatedCode)
        return;
    if (generatesCode())
        m_generatedCode->SetText(QString());
    const bool locked = m_mode == EditRecord || generatesCode();
    m_generatedCode->setReadOnly(locked);
    // Still clickable when locked, so that a key pressed there can say why nothing happens.
    m_generatedCode->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
}

bool RecordEditor::generatesCode() const
{
    return m_mode == NewRecord && m_chkAutoCode && m_chkAutoCode->isChecked();
}

void RecordEditor::autoCodeClicked(bool on)
{
    if (isVisible())
        m_setup.autoCode->set(on);
    applyCodeLock();
    if (m_generatedCode && !on)
        m_generatedCode->setFocus();
}

void RecordEditor::SetFormMode(int mode, const QString& text)
{
    const bool copy = mode == CopyRecord && m_setup.copies;
    m_mode = mode == EditRecord ? EditRecord : NewRecord;
    setWindowTitle(m_setup.title + (m_mode == NewRecord ? u" - 『신규입력』"_s : u" - 『수정』"_s));
    if (m_chkAutoCode)
        m_chkAutoCode->setEnabled(m_mode == NewRecord);
    m_chkContinueAdd->setEnabled(m_mode == NewRecord && !m_oneRecord);
    clearFields();
    if (m_mode == EditRecord || copy)
        loadRecord(text);
    else if (!text.isEmpty())
        startNew(text);
    if (copy)
        startCopy();
    modeChanged();
    markClean();
}

QStringList RecordEditor::values() const
{
    QStringList all;
    for (const QWidget* w : m_watched)
        all << w->metaObject()->userProperty().read(w).toString();
    return all;
}

void RecordEditor::markClean()
{
    m_clean = values();
}

bool RecordEditor::hasUnsavedChanges() const
{
    return values() != m_clean;
}

void RecordEditor::reject()
{
    if (hasUnsavedChanges() && MsgYesNo(kDiscardChanges) != MsgAnswer::Yes)
        return;
    QDialog::reject();
}

QString RecordEditor::requiredMessage(const QString& label)
{
    return u"["_s + label + u"]은(는) 필수 입력 사항입니다."_s;
}

QString RecordEditor::requiredTitle()
{
    return u"필수입력"_s;
}

QString RecordEditor::codeExistsMessage(const QString& code)
{
    return u"『"_s + code + u"』는 이미 존재하는 코드입니다."_s;
}

void RecordEditor::tellCodeTaken(HCText* code, const QString& shown, const QString& stored)
{
    code->SetText(stored);
    MsgInfo(u"『"_s + shown + u"』는 다른 PC에서 먼저 저장한 코드입니다. 『"_s + stored + u"』(으)로 저장했습니다."_s);
}

void RecordEditor::takeFocusBack(QWidget* field)
{
    if (QWidget* companion = field->window(); companion != this && companion->isHidden()) {
        companion->show();
        companion->raise();
    }
    if (auto* text = qobject_cast<HCText*>(field))
        text->reclaimFocus();
    else
        QTimer::singleShot(0, field, [field] { field->setFocus(Qt::OtherFocusReason); });
}

bool RecordEditor::refuse(QWidget* field, const QString& message, const QString& title)
{
    MsgInfo(message, title);
    takeFocusBack(field);
    return false;
}

bool RecordEditor::refuseRequired(QWidget* field, const QString& message)
{
    return refuse(field, message, requiredTitle());
}

// A character the code page cannot hold is refused before any statement, in its field.
bool RecordEditor::refuseUnencodable()
{
    for (QWidget* w : std::as_const(m_watched)) {
        auto* field = qobject_cast<HCText*>(w);
        if (!field)
            continue;
        const QString t = field->Text();
        if (const qsizetype bad = Cp949::firstUnencodable(t); bad >= 0) {
            MsgWarn(Cp949::unencodableMessage(t, bad));
            takeFocusBack(field);
            return true;
        }
    }
    return false;
}

void RecordEditor::save()
{
    if (!Guarded(u"btnSave_Click"_s, u"Form"_s, objectName(), false, [this] { return trySave(); }))
        return;
    ShowSaved();
    if (m_mode == NewRecord && m_chkContinueAdd->isChecked() && m_chkContinueAdd->isEnabled()) {
        startNextEntry();
        markClean();
    } else {
        accept();
    }
}

bool RecordEditor::trySave()
{
    if (refuseUnencodable() || !checkBeforeSave())
        return false;
    if (writeRecord() <= 0) {
        MsgInfo(kNotSaved);
        return false;
    }
    const Pick record = savedRecord();
    if (m_mode == NewRecord)
        m_addedRec = record;
    emit saved(m_mode, record.code);
    return true;
}

} // namespace asv
