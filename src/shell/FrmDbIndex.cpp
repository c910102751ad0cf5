#include "FrmDbIndex.h"

#include "AppError.h"
#include "AppState.h"
#include "Clock.h"
#include "UserSettings.h"
#include "WidgetHelpers.h"
#include "cMySQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QLabel>
#include <QProgressBar>
#include <QThread>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kSection = u"DbIndexOffer"_s;

// The postponement belongs to one database: another one the PC is pointed at is asked afresh.
QString databaseIdentity()
{
    const cMySQL* c = DBConnection(0);
    return c ? c->host() + u' ' + c->database() : QString();
}

} // namespace

FrmDbIndex::FrmDbIndex(QStringList statements, QWidget* parent)
    : QDialog(parent), m_statements(std::move(statements)), m_lblStatus(new QLabel(this)),
      m_prgIndex(new QProgressBar(this)), m_btnAddNow(NamedButton(this, u"btnAddNow"_s, u"지금 추가"_s)),
      m_btnLater(NamedButton(this, u"btnLater"_s, u"나중에"_s))
{
    setObjectName(u"FrmDbIndex"_s);
    setWindowTitle(u"검색 인덱스 추가"_s);
    auto* message = new QLabel(
        QStringList{u"이 데이터베이스에는 검색을 빠르게 하는 인덱스가 일부 없습니다. (추가 작업 %1단계)"_s.arg(m_statements.size()),
                    u"추가하는 동안에도 다른 PC에서는 계속 작업할 수 있습니다."_s, {},
                    u"[나중에]를 누르면 %1일 뒤 관리자 로그인 때 다시 묻습니다."_s.arg(kAskAgainDays),
                    u"(asvelmora-ctl db index 명령으로 언제든 추가할 수 있습니다.)"_s}
            .join(u'\n'),
        this);
    message->setObjectName(u"lblMessage"_s);
    m_lblStatus->setObjectName(u"lblStatus"_s);
    m_lblStatus->setWordWrap(true);
    m_prgIndex->setObjectName(u"prgIndex"_s);
    m_prgIndex->setRange(0, static_cast<int>(m_statements.size()));
    m_prgIndex->setValue(0);
    m_prgIndex->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnAddNow);
    buttons->addWidget(m_btnLater);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(m_prgIndex);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);
    m_btnAddNow->setDefault(true);
    connect(m_btnAddNow, &QPushButton::clicked, this, &FrmDbIndex::addNow);
    connect(m_btnLater, &QPushButton::clicked, this, &FrmDbIndex::later);
}

FrmDbIndex::~FrmDbIndex()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

QStringList FrmDbIndex::dueStatements()
{
    if (!App().isAdministrator() || !DBIsOpen())
        return {};
    const QDate postponed = QDate::fromString(UserSettings::get(kSection, u"PostponedOn"_s), Qt::ISODate);
    if (postponed.isValid() && UserSettings::get(kSection, u"PostponedFor"_s) == databaseIdentity()
        && postponed.daysTo(Clock::today()) < kAskAgainDays)
        return {};
    return SearchIndexes::missingStatements();
}

void FrmDbIndex::offerAfterLogin(QWidget* parent)
{
    QStringList statements = dueStatements();
    if (statements.isEmpty())
        return;
    FrmDbIndex dialog(std::move(statements), parent);
    dialog.exec();
}

void FrmDbIndex::later()
{
    UserSettings::set(kSection, u"PostponedOn"_s, Clock::today().toString(Qt::ISODate));
    UserSettings::set(kSection, u"PostponedFor"_s, databaseIdentity());
    QDialog::reject();
}

void FrmDbIndex::reject()
{
    // The statements run to their end on the server whatever the window does.
    if (!isWorking())
        later();
}

void FrmDbIndex::addNow()
{
    std::unique_ptr<cMySQL> connection;
    try {
        connection = DBConnection(0)->connectAnother();
    } catch (const AppError& e) {
        MsgWarn(e.description());
        return;
    }
    m_btnAddNow->setEnabled(false);
    m_btnLater->setEnabled(false);
    m_prgIndex->show();
    m_worker = QThread::create([this, c = std::move(connection)] {
        m_failures = SearchIndexes::add(*c, m_statements, [this](int done, const QString& next) {
            QMetaObject::invokeMethod(this, [this, done, next] { showProgress(done, next); }, Qt::QueuedConnection);
        });
    });
    connect(m_worker, &QThread::finished, this, &FrmDbIndex::finish);
    m_worker->start();
}

void FrmDbIndex::showProgress(int done, const QString& next)
{
    m_prgIndex->setValue(done);
    m_lblStatus->setText(next.isEmpty() ? QString()
                                        : u"추가 중 (%1/%2): "_s.arg(done + 1).arg(m_statements.size()) + next);
}

void FrmDbIndex::finish()
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    SearchIndexes::forget();
    UserSettings::remove(UserSettings::appTitle(), kSection, u"PostponedOn"_s);
    if (m_failures.isEmpty()) {
        ShowNotice(u"검색 인덱스를 추가했습니다."_s);
    } else {
        QStringList lines{u"일부 인덱스를 추가하지 못했습니다."_s, {}};
        for (const SearchIndexes::Failure& f : m_failures)
            lines << f.statement << u"  "_s + f.error;
        if (const QString advice = SearchIndexes::adviceFor(m_failures); !advice.isEmpty())
            lines << QString() << QString(advice).replace(u'\n', vbCrLf);
        MsgWarn(lines.join(vbCrLf));
    }
    accept();
}

} // namespace asv
