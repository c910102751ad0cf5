#pragma once

#include "OptionsDialog.h"

#include <QList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

namespace asv {

// The settings of this PC and user: start screen, new-customer VAT, caller-ID device and relay,
// serial barcode reader, the programs and addresses used outside the program.
class frmOptions2 : public OptionsDialog {
    Q_OBJECT
public:
    explicit frmOptions2(QWidget* parent = nullptr);

    static QString serverSetupProgram() { return QStringLiteral("SvrSetup.exe"); }

    // A setting typed as text: a device, an address, a program.
    struct TextSetting;

protected:
    bool writeChanges() override;

private:
    void ReadValue();
    void startServerSetup();
    QFormLayout* addTextGroup(const QString& title, const QList<TextSetting>& settings);
    struct CheckSetting {
        QString name;
        QString caption;
        QString key;
    };
    // The boxes in the order given.
    QList<QCheckBox*> addChecks(const QString& title, const QList<CheckSetting>& checks);
    // Option buttons whose index is the stored value, shown in the given order.
    QButtonGroup* addChoices(const QString& title, const QString& name, const QString& key,
                             const QList<std::pair<int, QString>>& choices);

    QButtonGroup* m_optStartForm;
    QButtonGroup* m_optCustVat;
    QButtonGroup* m_optCidType;
    QCheckBox* m_chkConsultEdit;
    QCheckBox* m_chkSkipPrnOpt;
    QCheckBox* m_chkSlipNoAsk;
    QCheckBox* m_chkSlipNormMsg;
    QList<QComboBox*> m_cmbCIDPortNo;
    QList<QCheckBox*> m_chkRemoteCID;
    QCheckBox* m_chkSirialBCode;
    QList<QComboBox*> m_cmbSnBCode;
    QList<QLineEdit*> m_textEdits;
};

} // namespace asv
