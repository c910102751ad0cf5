#pragma once

#include "Pick.h"
#include "Setting.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;
class QPushButton;

namespace asv {

class HCText;

// What every record editor shares: the open modes, the save flow with its notices and its one
// saved notification, the continued entry, the automatic-code box, the button row, the focus
// order, and the question before typed changes are lost. An editor supplies its fields, its load,
// its checks and its store write.
class RecordEditor : public QDialog {
    Q_OBJECT
public:
    enum Mode { NewRecord = 1, EditRecord = 2, CopyRecord = 3 };

    // Mode 1 takes text as the name of the new record; mode 2 loads the record whose code text is;
    // mode 3, where the record can be copied, loads it and goes on as a new record.
    void SetFormMode(int mode, const QString& text = {});
    int mode() const { return m_mode; }
    // The record saved last in mode 1, for the find-or-register flow; empty before.
    Pick AddedRec() const { return m_addedRec; }
    // Opened for one record that someone waits for: it closes after the save, whatever the box.
    void forOneRecord();
    // Something was typed or chosen since the record was shown, cleared or saved.
    bool hasUnsavedChanges() const;

    // Esc, the close button and the window's close: with unsaved changes the operator is asked
    // first, and No keeps the editor open with its text.
    void reject() override;

    // "[label]은(는) 필수 입력 사항입니다.", for any window that asks for a value.
    static QString requiredMessage(const QString& label);
    // The title of the notices about a value that must be given.
    static QString requiredTitle();

signals:
    // After every save, for the opener's refresh.
    void saved(int mode, const QString& code);

protected:
    struct Setup {
        // The caption before " - 『신규입력』" / " - 『수정』".
        QString title;
        // The per-PC setting of the automatic-code box; no box when null.
        const Setting<bool>* autoCode = nullptr;
        QString autoCodeCaption;
        bool copies = false;
        QString closeName;
        // The box that keeps the editor open after a new record is saved; its state is kept in
        // the setting when there is one.
        QString continueName = QStringLiteral("chkContinueAdd");
        QString continueCaption = QStringLiteral("계속 입력");
        const Setting<bool>* continueSetting = nullptr;
    };

    RecordEditor(QWidget* parent, const QString& objectName, Setup setup);

    // For the editor's constructor: its form above the button row; its controls in the order
    // Tab and Enter go through them (Save and Close follow); the controls holding the record.
    void layOut(QLayout* form);
    void setFocusOrder(QList<QWidget*> order);
    void watchValues(const QList<QWidget*>& controls);
    // In edit mode a key in the code field says why nothing happens.
    void lockCodeInEditMode(HCText* code);
    // The same, and while the code is generated the field is empty and locked too; unticking the
    // automatic-code box opens it and puts the focus there.
    void lockCodeWhileGenerated(HCText* code);
    // Applies that lock for the current mode and box; for the editor's clearFields.
    void applyCodeLock();

    QCheckBox* autoCodeBox() const { return m_chkAutoCode; }
    // Codes are generated at save time: a new record with the box ticked.
    bool generatesCode() const;
    QPushButton* saveButton() const { return m_btnSave; }

    // Shows why a value is refused and takes the focus back to its field, after the field that is
    // receiving it now; a field of a companion window brings that window up. Always false.
    bool refuse(QWidget* field, const QString& message, const QString& title = {});
    // refuse() of a value that must be given, under requiredTitle().
    bool refuseRequired(QWidget* field, const QString& message);
    void takeFocusBack(QWidget* field);
    static QString codeExistsMessage(const QString& code);
    // After a generated code was stored under the next one (another desk saved the shown one
    // first): the field shows the stored code and the operator is told.
    static void tellCodeTaken(HCText* code, const QString& shown, const QString& stored);

    // Empties the fields for a new record and puts the focus in the first one.
    virtual void clearFields() = 0;
    virtual void loadRecord(const QString& code) = 0;
    virtual void startNew(const QString& name) = 0;
    // After a new record was saved with the continue box ticked: empties the fields.
    virtual void startNextEntry() { clearFields(); }
    // Mode 3, after the record was loaded.
    virtual void startCopy() {}
    // After the mode was set and the record shown: rights, locked fields.
    virtual void modeChanged() {}
    virtual void autoCodeClicked(bool on);
    // Rights, required values, generated code and duplicates, in the editor's order; false stops
    // the save after the editor said why.
    virtual bool checkBeforeSave() = 0;
    // The insert (mode 1) or update; rows changed, 0 when nothing changed or it failed.
    virtual int writeRecord() = 0;
    virtual Pick savedRecord() const = 0;

private:
    void save();
    bool trySave();
    bool refuseUnencodable();
    void markClean();
    QStringList values() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Setup m_setup;
    QCheckBox* m_chkAutoCode = nullptr;
    QCheckBox* m_chkContinueAdd;
    QPushButton* m_btnSave;
    QPushButton* m_btnClose;
    QList<QWidget*> m_watched;
    QStringList m_clean;
    int m_mode = NewRecord;
    bool m_oneRecord = false;
    HCText* m_generatedCode = nullptr;
    Pick m_addedRec;
};

} // namespace asv
