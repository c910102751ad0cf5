#include "FrmCust_addTel.h"

#include "CustomerRecord.h"
#include "FieldControls.h"
#include "HCText.h"
#include "WidgetHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

FrmCust_addTel::FrmCust_addTel(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"FrmCust_addTel"_s);
    setWindowTitle(u"전화번호 추가"_s);
    auto* form = new QFormLayout;
    for (int n = 2; n <= 4; ++n) {
        const auto& def = CustomerRecord::fields().field(u"telno"_s + QString::number(n));
        HCText* f = FieldControls<CustomerRecord>::makeText(this, def);
        m_telNo[static_cast<size_t>(n - 2)] = f;
        form->addRow(def.caption, f);
    }
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"확인"_s);
    connect(close, &QPushButton::clicked, this, &FrmCust_addTel::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

HCText* FrmCust_addTel::telNo(int n) const
{
    return m_telNo.at(static_cast<size_t>(n - 2));
}

} // namespace asv
