#include "hclimit.h"

#include "HCText.h"
#include "Paths.h"
#include "modFormIni.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kCheckKey = u"RecentCheckVal"_s;

QSettings limitFile()
{
    return QSettings(Paths::file(u"LimitRec.INI"_s), QSettings::IniFormat);
}

} // namespace

hclimit::hclimit(QWidget* parent) : QWidget(parent), m_check(new QCheckBox(this)), m_limit(new HCText(this))
{
    m_check->setObjectName(u"chkRecLimit"_s);
    m_check->setText(u"조회건수 제한"_s);
    m_limit->setObjectName(u"htLimit"_s);
    m_limit->setAcceptType(HCText::Number);
    m_limit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_limit->setFixedWidth(m_limit->fontMetrics().horizontalAdvance(u"0,000,000"_s) + 12);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_limit);
    layout->addWidget(new QLabel(u"건"_s, this));

    connect(m_check, &QCheckBox::toggled, this, &hclimit::save);
    connect(m_limit, &QLineEdit::textEdited, this, &hclimit::save);
}

QString hclimit::formName() const
{
    return m_formName.isEmpty() ? FormName(FormOf(this)) : m_formName;
}

QString hclimit::limitKey() const
{
    return QString::number(m_boxIndex) + u"RecentLimitVal"_s;
}

void hclimit::load()
{
    QSettings ini = limitFile();
    ini.beginGroup(formName());
    const bool checked = ini.value(kCheckKey, m_checkLimit ? u"1"_s : u"0"_s).toString() == u"1"_s;
    const QString limit = ini.value(limitKey(), m_boxIndex == 1 ? u"10"_s : u"100"_s).toString();
    const QSignalBlocker quietCheck(m_check);
    const QSignalBlocker quietLimit(m_limit);
    m_check->setChecked(checked);
    m_limit->SetText(limit);
    m_loaded = true;
}

void hclimit::save()
{
    if (!m_loaded)
        return;
    QSettings ini = limitFile();
    ini.beginGroup(formName());
    ini.setValue(kCheckKey, m_check->isChecked() ? u"1"_s : u"0"_s);
    ini.setValue(limitKey(), m_limit->Text());
}

QString hclimit::LimitClause()
{
    if (!m_loaded)
        load();
    // A ticked box caps the list; a cap of 0 or nothing caps nothing, since an empty list would read
    // as "no such records".
    const qint64 limit = m_limit->Text().toLongLong();
    if (!m_check->isChecked() || limit <= 0)
        return {};
    return u" LIMIT 0, "_s + QString::number(limit);
}

void hclimit::showEvent(QShowEvent* event)
{
    if (!m_loaded)
        load();
    QWidget::showEvent(event);
}

} // namespace asv
