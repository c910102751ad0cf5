#pragma once

#include <QDialog>
#include <QSet>
#include <QString>

class QAbstractButton;
class QComboBox;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace asv {

class HCText;

// What the two options dialogs share: every control marks its setting as changed, Apply writes
// only the changed settings, OK applies and closes, and closing with unsaved changes asks first.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    bool isChanged() const { return !m_changed.isEmpty(); }
    bool isChanged(const QString& key) const { return m_changed.contains(key); }

    // Writes the changed settings, reloads the in-memory options and clears the marks; false
    // leaves the dialog as it was.
    bool apply();

public slots:
    void accept() override;
    // Cancel, Escape and the close button.
    void reject() override;

protected:
    explicit OptionsDialog(QWidget* parent = nullptr);

    // The layout the subclass fills, scrolled on a low screen; the buttons sit below it.
    QVBoxLayout* body() const { return m_body; }
    // Loading fills the controls without marking anything.
    void beginLoad() { m_loading = true; }
    void endLoad();

    void track(QComboBox* combo, const QString& key);
    void track(QAbstractButton* button, const QString& key);
    void track(HCText* field, const QString& key);
    void markChanged(const QString& key);

    // Writes the changed settings in their order; false stops the apply.
    virtual bool writeChanges() = 0;

    void showEvent(QShowEvent* event) override;

    // Builds an indexed control with the shared objectName that other parts look for.
    template <typename W>
    static W* indexed(W* widget, const QString& name, int index)
    {
        widget->setObjectName(name);
        widget->setProperty("index", index);
        return widget;
    }

private:
    // Opened first, the dialog is as tall as its settings or the screen, whichever is less.
    void fitScreen();

    QVBoxLayout* m_body;
    QScrollArea* m_scroll;
    bool m_fitted = false;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
    QPushButton* m_btnApply;
    QSet<QString> m_changed;
    bool m_loading = false;
};

} // namespace asv
