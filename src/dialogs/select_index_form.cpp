#include "select_index_form.h"

#include "select_index_logic.h"

#include <prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>

#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

SelectIndexForm::SelectIndexForm(SNMPSession& session, const Settings& settings, QWidget* parent,
                                 OIDResolver resolver)
    : QDialog(parent), m_session(session), m_settings(settings),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver()),
      m_ownPrompter(std::make_unique<QtPrompter>(this)), m_prompter(m_ownPrompter.get()),
      m_targetLabel(new QLabel), m_targetMIB(new QLabel), m_table(new QTableView), m_progressText(new QLabel),
      m_progress(new QProgressBar)
{
    setWindowTitle(QStringLiteral("Select Index"));
    m_targetLabel->setObjectName(QStringLiteral("TargetLabel"));
    m_targetMIB->setObjectName(QStringLiteral("TargetMIB"));
    m_table->setObjectName(QStringLiteral("Table"));
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_progressText->setObjectName(QStringLiteral("ProgressText"));
    m_progress->setObjectName(QStringLiteral("Progress"));
    m_progress->setRange(0, 0); // busy until the walk ends
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(120);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OK_Button"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancel_Button"));

    auto* labels = new QFormLayout;
    labels->addRow(QStringLiteral("Host:"), m_targetLabel);
    labels->addRow(QStringLiteral("MIB variable:"), m_targetMIB);

    auto* progress = new QHBoxLayout;
    progress->addWidget(m_progressText, 1);
    progress->addWidget(m_progress);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(m_table, 1);
    layout->addLayout(progress);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        m_cancelled = false;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    connect(m_table, &QTableView::clicked, this, &SelectIndexForm::Clicked);

    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(QStringLiteral("X")) * 45 + 80, 420);
}

SelectIndexForm::~SelectIndexForm() = default;

void SelectIndexForm::setPrompter(Prompter* prompter)
{
    m_prompter = prompter ? prompter : m_ownPrompter.get();
}

bool SelectIndexForm::SelectIndexes(TargetOIDs& targets, const QString& hostname, const QString& ip,
                                    const QString& community, const QString& mib, const QString& units,
                                    const QString& calculation)
{
    const bool accepted =
        Walk(hostname, ip, community, mib, QStringLiteral("Select indexes of \"%1\" to graph ..."));
    if (accepted)
        m_logic->AddTargets(targets, hostname, ip, community, mib, units, calculation);
    EndWalk();
    return accepted;
}

QString SelectIndexForm::PickIndex(const QString& hostname, const QString& ip, const QString& community,
                                   const QString& mib)
{
    QString index;
    if (Walk(hostname, ip, community, mib, QStringLiteral("Select the index of \"%1\" ..."))) {
        for (int row = 0; row < m_logic->rowCount() && index.isEmpty(); ++row) {
            if (m_logic->Checked(row))
                index = m_logic->IndexText(row);
        }
    }
    EndWalk();
    return index;
}

bool SelectIndexForm::Walk(const QString& hostname, const QString& ip, const QString& community,
                           const QString& mib, const QString& title)
{
    const OIDDetails details = m_resolver(mib);
    const OIDDetails indexBy =
        details.IndexByName().isEmpty() ? OIDDetails(OIDInfo{}) : m_resolver(details.IndexByName());
    setWindowTitle(title.arg(details.FullName()));
    m_targetLabel->setText(hostname);
    m_targetMIB->setText(mib);

    m_cancelled = true;
    qint16 version = 0;
    try {
        version = m_settings.SNMPVersion();
    } catch (const TypeMismatchError& error) {
        m_prompter->Message(m_settings.MismatchMessage(error), Prompter::Icon::Exclamation, Prompter::Ok);
        return false;
    }
    m_logic = std::make_unique<SelectIndexLogic>(
        details, indexBy, SelectIndexLogic::SessionSender(m_session, ip, community, version));
    m_table->setModel(m_logic.get());
    SizeColumns();
    connect(&m_session, &SNMPSession::Response, m_logic.get(), &SelectIndexLogic::HandleResponse);
    connect(m_logic.get(), &SelectIndexLogic::rowsInserted, this, &SelectIndexForm::UpdateProgress);
    connect(m_logic.get(), &SelectIndexLogic::WalkFinished, this, &SelectIndexForm::UpdateProgress);
    m_logic->Start();
    UpdateProgress();

    exec();
    return !m_cancelled;
}

void SelectIndexForm::EndWalk()
{
    // Answers still on their way stop here: nothing of this walk is listening any more.
    m_table->setModel(nullptr);
    m_logic.reset();
}

void SelectIndexForm::Clicked(const QModelIndex& index)
{
    // The check box cell toggles itself; the other cells of a row toggle it too.
    if (m_logic && index.column() != SelectIndexLogic::CheckColumn)
        m_logic->ToggleRow(index.row());
}

void SelectIndexForm::UpdateProgress()
{
    if (!m_logic)
        return;
    const int rows = m_logic->rowCount();
    const QString found =
        rows == 1 ? QStringLiteral("1 row found") : QStringLiteral("%1 rows found").arg(rows);
    const bool walking = m_logic->Walking();
    m_progressText->setText(walking ? QStringLiteral("Reading the table ... ") + found : found);
    m_progress->setVisible(walking);
}

void SelectIndexForm::SizeColumns()
{
    const QFontMetrics metrics(font());
    QHeaderView* header = m_table->horizontalHeader();
    header->resizeSection(SelectIndexLogic::CheckColumn, metrics.horizontalAdvance(QStringLiteral("XXXX")));
    header->resizeSection(SelectIndexLogic::IndexColumn,
                          metrics.horizontalAdvance(QString(8, QLatin1Char('X'))));
    header->resizeSection(SelectIndexLogic::ValueColumn,
                          metrics.horizontalAdvance(QString(15, QLatin1Char('X'))));
    header->resizeSection(SelectIndexLogic::InstanceColumn,
                          metrics.horizontalAdvance(QString(18, QLatin1Char('X'))));
}
