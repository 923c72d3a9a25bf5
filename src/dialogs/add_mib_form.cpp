#include "add_mib_form.h"

#include "dialog_button.h"
#include "history_combo_box.h"
#include "mib_tree_form.h"
#include "select_index_form.h"

#include <oid_details_widget.h>
#include <settings.h>
#include <target_oids.h>
#include <trendwick_version.h>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

HistoryComboBox* MakeHistoryCombo(const QString& objectName, const QString& historyName)
{
    auto* combo = new HistoryComboBox;
    combo->setObjectName(objectName);
    combo->setHistoryName(historyName);
    combo->setHistoryOwner(TrendwickFileDescription());
    combo->RestoreHistory();
    return combo;
}

} // namespace

AddMibForm::AddMibForm(SNMPSession& session, Settings& settings, Prompter& prompter, QWidget* parent,
                       OIDResolver resolver)
    : QDialog(parent), m_session(session), m_settings(settings), m_prompter(prompter),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver()),
      m_host(MakeHistoryCombo(QStringLiteral("Host"), QStringLiteral("Target"))),
      m_community(MakeHistoryCombo(QStringLiteral("Community"), QStringLiteral("Community"))),
      m_mib(MakeHistoryCombo(QStringLiteral("MIB"), QStringLiteral("Target MIB"))),
      m_details(new OIDDetailsWidget(this)), m_units(new QComboBox), m_calculation(new QComboBox),
      m_helpButton(MakeButton(QStringLiteral("Help"), QStringLiteral("Help_Button"))),
      m_message(new QLabel(this))
{
    setWindowTitle(QStringLiteral("New SNMP MIB variable to Graph"));
    m_units->setObjectName(QStringLiteral("Units"));
    m_units->setEditable(true);
    m_units->setInsertPolicy(QComboBox::NoInsert);
    m_calculation->setObjectName(QStringLiteral("Calculation"));

    auto* browse = MakeButton(QStringLiteral("MIB Browser"), QStringLiteral("MIBBrowser_Button"));
    auto* ok = MakeButton(QStringLiteral("OK"), QStringLiteral("OK_Button"));
    ok->setDefault(true);
    auto* cancel = MakeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel_Button"));
    m_helpButton->setEnabled(false);
    m_helpButton->setToolTip(QStringLiteral("Help is not available"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("IP Address or Hostname")), 0, 0);
    fields->addWidget(m_host, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("SNMP Community String")), 1, 0);
    fields->addWidget(m_community, 1, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("SNMP MIB variable to Monitor")), 2, 0);
    fields->addWidget(m_mib, 2, 1);
    fields->addWidget(browse, 2, 2);
    fields->setColumnStretch(1, 1);

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_units, 1);
    choices->addWidget(m_calculation, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_helpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_details, 1);
    layout->addWidget(
        new QLabel(QStringLiteral("Graph this MIB variable using the following Units and Calculation")));
    layout->addLayout(choices);
    layout->addLayout(buttons);

    // The panel covers every field while OK works, so nothing can be changed half-way.
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setAutoFillBackground(true);
    m_message->setFrameShape(QFrame::Panel);
    QFont font = m_message->font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 1.25);
        m_message->setFont(font);
    }
    m_message->hide();

    connect(m_mib, &HistoryComboBox::Changed, this, &AddMibForm::MibChanged);
    connect(browse, &QPushButton::clicked, this, &AddMibForm::BrowseMib);
    connect(ok, &QPushButton::clicked, this, &AddMibForm::Accept);
    connect(cancel, &QPushButton::clicked, this, &AddMibForm::Cancel);
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help();
    });
    resize(560, 480);
}

AddMibForm::~AddMibForm() = default;

bool AddMibForm::AddMIB(TargetOIDs& targets, qint32 pollInterval)
{
    m_logic = std::make_unique<AddMibLogic>(m_prompter, m_session, m_settings, pollInterval, m_resolver);
    m_logic->showMessage = [this](const QString& text) { ShowMessage(text); };
    m_logic->hideMessage = [this] { m_message->hide(); };
    Fill(targets);
    MibChanged(m_mib->Text());
    exec();
    StoreHistories();

    switch (m_logic->NextStep()) {
    case AddMibLogic::AfterClose::Nothing:
        return false;
    case AddMibLogic::AfterClose::AddTarget:
        m_logic->AddTarget(targets, m_accepted);
        return true;
    case AddMibLogic::AfterClose::SelectIndexes: {
        SelectIndexForm indexes(m_session, m_settings, parentWidget(), m_resolver);
        indexes.setPrompter(&m_prompter);
        return indexes.SelectIndexes(targets, m_accepted.host, m_logic->IP(), m_accepted.community,
                                     m_accepted.mib, m_accepted.units, m_accepted.calculation);
    }
    }
    return false;
}

void AddMibForm::setHelpHandler(std::function<void()> handler)
{
    m_help = std::move(handler);
    m_helpButton->setEnabled(bool(m_help));
    m_helpButton->setToolTip(QString());
}

bool AddMibForm::Cancelled() const
{
    return !m_logic || m_logic->Cancelled();
}

bool AddMibForm::IsTable() const
{
    return m_logic && m_logic->IsTable();
}

void AddMibForm::Fill(const TargetOIDs& targets)
{
    const AddMibLogic::Filling filling = AddMibLogic::FillFrom(targets);
    for (const QString& mib : filling.mibs)
        m_mib->AddItem(mib);
    for (const QString& community : filling.communities)
        m_community->AddItem(community);
    if (filling.fromTargets) {
        m_host->setText(filling.host);
        m_community->setText(filling.community);
        m_mib->setText(filling.mib);
    }
}

void AddMibForm::MibChanged(const QString& text)
{
    if (!m_logic)
        return;
    const AddMibLogic::MibChoices choices = m_logic->MibChanged(text);
    m_details->showInfo(m_logic->Details().info());
    m_unitEntries = choices.unitEntries;
    m_units->clear();
    for (const QString& entry : choices.unitEntries)
        m_units->addItem(AddMibLogic::UnitName(entry));
    m_units->setEditText(AddMibLogic::UnitName(choices.units));
    m_calculation->clear();
    m_calculation->addItems(choices.calculations);
    m_calculation->setCurrentText(choices.calculation);
}

QString AddMibForm::UnitsText() const
{
    return AddMibLogic::UnitEntryFor(m_units->currentText().trimmed(), m_unitEntries);
}

void AddMibForm::BrowseMib()
{
    m_mib->setText(MIBTreeForm::Browse(this, m_mib->Text()));
}

void AddMibForm::Accept()
{
    AddMibLogic::Entries entries{m_host->Text(), m_community->Text(), m_mib->Text(), UnitsText(),
                                 m_calculation->currentText()};
    const AddMibLogic::Outcome outcome = m_logic->Accept(entries);
    m_host->setText(entries.host);
    m_community->setText(entries.community);
    if (m_mib->Text() != entries.mib)
        m_mib->setText(entries.mib);
    if (!outcome.accepted) {
        FocusField(outcome.focus);
        return;
    }
    m_host->AddItem(entries.host);
    m_community->AddItem(entries.community);
    m_mib->AddItem(entries.mib);
    m_accepted = entries;
    accept();
}

void AddMibForm::Cancel()
{
    if (m_logic)
        m_logic->Cancel();
    reject();
}

void AddMibForm::FocusField(AddMibLogic::Field field)
{
    HistoryComboBox* combo = nullptr;
    switch (field) {
    case AddMibLogic::Field::Host:
        combo = m_host;
        break;
    case AddMibLogic::Field::Community:
        combo = m_community;
        break;
    case AddMibLogic::Field::MIB:
        combo = m_mib;
        break;
    case AddMibLogic::Field::None:
        return;
    }
    combo->setFocus(Qt::OtherFocusReason);
    combo->lineEdit()->selectAll();
}

void AddMibForm::ShowMessage(const QString& text)
{
    m_message->setText(text);
    m_message->setGeometry(rect());
    m_message->raise();
    m_message->show();
    // The probe blocks user input; paint now so the text is seen while it waits.
    m_message->repaint();
}

void AddMibForm::StoreHistories() const
{
    m_host->StoreHistory();
    m_community->StoreHistory();
    m_mib->StoreHistory();
}

void AddMibForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_message->setGeometry(rect());
}
