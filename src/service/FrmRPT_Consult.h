#pragma once

#include "PeriodListWindow.h"

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;

namespace asv {

// The received calls and consultations of a period, searched by customer, product and
// consultation fields; records are deleted here. The period is offered again at the next opening.
class FrmRPT_Consult : public PeriodListWindow {
    Q_OBJECT
public:
    enum Col {
        ColCode, ColDate, ColTime, ColName, ColTelNo, ColState, ColConsultant, ColProductClass, ColProductCode,
        ColProductName, ColClass, ColEnquiry, ColAnswer, ColEditDate, ColEditTime, ColCount
    };

    explicit FrmRPT_Consult(QWidget* parent = nullptr);

    void query() override;
    void deleteSelected();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct SearchBox {
        QComboBox* field;
        QLineEdit* text;
    };
    SearchBox addSearch(const QString& caption, const QString& fieldName, const QString& textName,
                        const QStringList& fields);

    QRadioButton* m_optAll;
    QRadioButton* m_optConsulted;
    QHBoxLayout* m_searches = nullptr;
    SearchBox m_custom;
    SearchBox m_product;
    SearchBox m_consult;
};

} // namespace asv
