#include "custom_subset_form.h"

#include "dialog_button.h"
#include "mib_tree_form.h"

#include <rgb_color.h>
#include <rt_trendwick.h>
#include <target_oid.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* MakeEdit(const QString& objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    return edit;
}

// A button just wide enough for its "...".
QPushButton* MakeEllipsis(const QString& objectName, const QString& toolTip)
{
    QPushButton* button = MakeButton(QStringLiteral("..."), objectName);
    button->setToolTip(toolTip);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    return button;
}

} // namespace

CustomSubsetForm::CustomSubsetForm(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_label(MakeEdit(QStringLiteral("LabelText"))),
      m_autoLabel(new QCheckBox(QStringLiteral("Automatically generate label"))),
      m_ip(MakeEdit(QStringLiteral("IPText"))), m_community(MakeEdit(QStringLiteral("CommunityText"))),
      m_mib(MakeEdit(QStringLiteral("MIBText"))), m_index(MakeEdit(QStringLiteral("IndexText"))),
      m_calculation(new QComboBox), m_units(new QComboBox), m_swatch(new QLabel),
      m_indexButton(
          MakeEllipsis(QStringLiteral("IndexBrowser_Button"), QStringLiteral("Pick a row of the table"))),
      m_helpButton(MakeButton(QStringLiteral("Help"), QStringLiteral("Help_Button")))
{
    setObjectName(QStringLiteral("CustomSubsetForm"));
    setWindowTitle(QStringLiteral("Customize OID ..."));
    m_autoLabel->setObjectName(QStringLiteral("AutoLabelCheck"));
    m_calculation->setObjectName(QStringLiteral("Calculation"));
    m_units->setObjectName(QStringLiteral("Units"));
    m_units->setEditable(true);
    m_units->setInsertPolicy(QComboBox::NoInsert);
    m_swatch->setObjectName(QStringLiteral("ColorSwatch"));
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setMinimumSize(60, 20);

    auto* labelBox = new QGroupBox(QStringLiteral("OID Label"));
    auto* labelLayout = new QVBoxLayout(labelBox);
    labelLayout->addWidget(m_label);
    labelLayout->addWidget(m_autoLabel);

    auto* browse = MakeEllipsis(QStringLiteral("MIBBrowser_Button"), QStringLiteral("Browse the MIB tree"));
    auto* mibRow = new QHBoxLayout;
    mibRow->addWidget(m_mib, 1);
    mibRow->addWidget(browse);
    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(m_index, 1);
    indexRow->addWidget(m_indexButton);
    m_indexButton->hide();
    auto* pollingBox = new QGroupBox(QStringLiteral("SNMP Polling"));
    auto* polling = new QFormLayout(pollingBox);
    polling->addRow(QStringLiteral("IP Address"), m_ip);
    polling->addRow(QStringLiteral("Community"), m_community);
    polling->addRow(QStringLiteral("MIB"), mibRow);
    polling->addRow(QStringLiteral("MIB Index"), indexRow);
    polling->addRow(QStringLiteral("Calculation"), m_calculation);
    polling->addRow(QStringLiteral("Units"), m_units);

    auto* pick = MakeEllipsis(QStringLiteral("Color_Button"), QStringLiteral("Select Subset Color ..."));
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_swatch);
    colorRow->addWidget(pick);
    colorRow->addStretch(1);
    auto* displayBox = new QGroupBox(QStringLiteral("Display"));
    auto* display = new QFormLayout(displayBox);
    display->addRow(QStringLiteral("Color"), colorRow);

    auto* ok = MakeButton(QStringLiteral("OK"), QStringLiteral("OK_Button"));
    ok->setDefault(true);
    auto* cancel = MakeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel_Button"));
    m_helpButton->setEnabled(false);
    m_helpButton->setToolTip(QStringLiteral("Help is not available"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_helpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelBox);
    layout->addWidget(pollingBox);
    layout->addWidget(displayBox);
    layout->addLayout(buttons);

    connect(m_autoLabel, &QCheckBox::toggled, m_label, &QLineEdit::setDisabled);
    connect(browse, &QPushButton::clicked, this, &CustomSubsetForm::BrowseMib);
    connect(m_indexButton, &QPushButton::clicked, this, &CustomSubsetForm::PickIndex);
    connect(pick, &QPushButton::clicked, this, &CustomSubsetForm::ChooseColor);
    connect(ok, &QPushButton::clicked, this, &CustomSubsetForm::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help();
    });
    resize(440, sizeHint().height());
}

CustomSubsetForm::~CustomSubsetForm() = default;

void CustomSubsetForm::setHelpHandler(std::function<void()> handler)
{
    m_help = std::move(handler);
    m_helpButton->setEnabled(bool(m_help));
    m_helpButton->setToolTip(QString());
}

void CustomSubsetForm::setIndexPicker(IndexPicker picker)
{
    m_pickIndex = std::move(picker);
    m_indexButton->setVisible(bool(m_pickIndex));
}

void CustomSubsetForm::Customize(RTTrendwick& graph, TargetOID& target)
{
    m_cancelled = true;
    m_logic = std::make_unique<CustomSubsetLogic>(graph, target, m_prompter);
    // Nothing may be written to a series that is gone: close instead of waiting for OK.
    const auto gone = [this] {
        if (isVisible())
            reject();
    };
    const QMetaObject::Connection connections[] = {
        connect(&target, &QObject::destroyed, this, gone),
        connect(&graph, &QObject::destroyed, this, gone),
        connect(&graph, &RTTrendwick::ShuttingDown, this, gone),
    };
    Fill();
    exec();
    for (const QMetaObject::Connection& connection : connections)
        disconnect(connection);
    m_logic.reset();
}

void CustomSubsetForm::Fill()
{
    const CustomSubsetLogic::Fields fields = m_logic->Fill();
    m_label->setText(fields.label);
    m_autoLabel->setChecked(fields.autoLabel);
    m_label->setDisabled(fields.autoLabel);
    m_ip->setText(fields.ip);
    m_community->setText(fields.community);
    m_mib->setText(fields.mib);
    m_index->setText(fields.index);
    m_calculation->clear();
    m_calculation->addItems(m_logic->CalculationChoices());
    m_calculation->setCurrentIndex(m_calculation->findText(fields.calculation));
    m_units->clear();
    m_units->addItems(m_logic->UnitChoices());
    m_units->setEditText(fields.units);
    ShowColor(fields.color);
}

void CustomSubsetForm::ShowColor(qint32 color)
{
    m_color = color;
    m_swatch->setStyleSheet(QStringLiteral("background-color: %1;").arg(ToQColor(color).name()));
}

void CustomSubsetForm::ChooseColor()
{
    if (const std::optional<qint32> color = m_logic->ChooseColor())
        ShowColor(*color);
}

void CustomSubsetForm::BrowseMib()
{
    m_mib->setText(MIBTreeForm::Browse(this, m_mib->text()));
}

void CustomSubsetForm::PickIndex()
{
    if (!m_pickIndex)
        return;
    const QString index =
        m_pickIndex(m_ip->text().trimmed(), m_community->text().trimmed(), m_mib->text().trimmed());
    if (!index.isEmpty())
        m_index->setText(index);
}

void CustomSubsetForm::Accept()
{
    CustomSubsetLogic::Fields fields;
    fields.autoLabel = m_autoLabel->isChecked();
    fields.label = m_label->text();
    fields.ip = m_ip->text();
    fields.community = m_community->text();
    fields.mib = m_mib->text();
    fields.index = m_index->text();
    fields.calculation = m_calculation->currentText();
    fields.units = m_units->currentText();
    fields.color = m_color;
    m_cancelled = false;
    m_logic->Apply(fields);
    accept();
}
