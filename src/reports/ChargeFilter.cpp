#include "ChargeFilter.h"

#include "ucFindBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

ChargeFilter::ChargeFilter(QWidget* parent, const Setting<int>& chargeOf)
    : QWidget(parent), m_cboChType(new QComboBox(this)), m_fbUser(new ucFindBox(this))
{
    m_cboChType->setObjectName(u"cboChType"_s);
    m_cboChType->addItems({u"거래처담당"_s, u"전표담당"_s});
    m_cboChType->setCurrentIndex(std::clamp(chargeOf.get(), 0, 1));
    connect(m_cboChType, &QComboBox::currentIndexChanged, this, [&chargeOf](int index) { chargeOf.set(index); });
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins({});
    layout->addWidget(new QLabel(u"담당자:"_s, this));
    layout->addWidget(m_cboChType);
    layout->addWidget(m_fbUser);
}

PeriodReportStore::ChargeOf ChargeFilter::chargeOf() const
{
    return m_cboChType->currentIndex() == 1 ? PeriodReportStore::ChargeOf::Document
                                            : PeriodReportStore::ChargeOf::Customer;
}

QString ChargeFilter::userCode() const
{
    return m_fbUser->code();
}

QString ChargeFilter::userName() const
{
    return m_fbUser->code().isEmpty() ? u"전체"_s : m_fbUser->Text();
}

} // namespace asv
