#include "settings_form.h"

#include "dialog_button.h"

#include <settings.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel* WrappedLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

// Auto-exclusive radio buttons refuse to clear the checked one; a version the dialog cannot show
// selects neither, so the pair is set with exclusivity off.
void CheckOne(QRadioButton* first, QRadioButton* second, bool checkFirst, bool checkSecond)
{
    first->setAutoExclusive(false);
    second->setAutoExclusive(false);
    first->setChecked(checkFirst);
    second->setChecked(checkSecond);
    first->setAutoExclusive(true);
    second->setAutoExclusive(true);
}

} // namespace

SettingsForm::SettingsForm(Settings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_logic(settings, prompter), m_tabs(new QTabWidget), m_broken(new QLabel)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Trendwick Settings"));
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_tabs->addTab(BuildGeneralTab(), QStringLiteral("Polling"));
    m_tabs->addTab(BuildRolloverTab(), QStringLiteral("Counter Rollover"));
    m_tabs->addTab(BuildColumnsTab(), QStringLiteral("Table Columns"));

    m_broken->setObjectName(QStringLiteral("BrokenSettings"));
    m_broken->setWordWrap(true);
    m_broken->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_broken->hide();

    auto* ok = MakeButton(QStringLiteral("OK"), QStringLiteral("OK_Button"));
    ok->setDefault(true);
    auto* cancel = MakeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel_Button"));
    connect(ok, &QPushButton::clicked, this, &SettingsForm::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_broken);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(580, 440);
}

QSlider* SettingsForm::AddSlider(const QString& name, int minimum, int maximum, const QString& suffix,
                                 QLabel** label)
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name + QStringLiteral("_Slider"));
    slider->setRange(minimum, maximum);
    slider->setSingleStep(1);
    // Ten pages from end to end keep the large ranges quick to cross with the keyboard.
    slider->setPageStep(qMax(1, (maximum - minimum) / 10));
    auto* value = new QLabel;
    value->setObjectName(name);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("10000 milliseconds")));
    // valueChanged also follows the handle while it is dragged (tracking is on).
    connect(slider, &QSlider::valueChanged, value,
            [value, suffix](int number) { value->setText(QString::number(number) + suffix); });
    *label = value;
    return slider;
}

QWidget* SettingsForm::BuildGeneralTab()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    const struct {
        QString name;
        QString caption;
        int minimum;
        int maximum;
        QString suffix;
        QSlider** slider;
    } rows[] = {
        {QStringLiteral("PollInterval"), QStringLiteral("Default Poll Interval"), 1, 600,
         QStringLiteral(" seconds"), &m_pollInterval},
        {QStringLiteral("SNMPTimeout"), QStringLiteral("SNMP Timeout"), 100, 10000,
         QStringLiteral(" milliseconds"), &m_snmpTimeout},
        {QStringLiteral("SNMPRetries"), QStringLiteral("SNMP Retries"), 1, 5, QStringLiteral(" Attempts"),
         &m_snmpRetries},
    };
    int row = 0;
    for (const auto& entry : rows) {
        QLabel* value = nullptr;
        *entry.slider = AddSlider(entry.name, entry.minimum, entry.maximum, entry.suffix, &value);
        grid->addWidget(new QLabel(entry.caption), row, 0);
        grid->addWidget(*entry.slider, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* version = new QGroupBox(QStringLiteral("SNMP Version"));
    version->setObjectName(QStringLiteral("SNMPVersionFrame"));
    m_version1 = new QRadioButton(QStringLiteral("SNMP Version 1"));
    m_version1->setObjectName(QStringLiteral("radioSNMPV1"));
    m_version2 = new QRadioButton(QStringLiteral("SNMP Version 2"));
    m_version2->setObjectName(QStringLiteral("radioSNMPV2"));
    auto* versions = new QVBoxLayout(version);
    versions->addWidget(m_version1);
    versions->addWidget(m_version2);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(version);
    layout->addStretch(1);
    return page;
}

QWidget* SettingsForm::BuildRolloverTab()
{
    auto* page = new QWidget;
    m_method1 = new QRadioButton(QStringLiteral("Method 1 - Assume the counter hit the maximum value"));
    m_method1->setObjectName(QStringLiteral("RolloverMethod1"));
    m_method2 =
        new QRadioButton(QStringLiteral("Method 2 - take a new reading after the counter rolled over"));
    m_method2->setObjectName(QStringLiteral("RolloverMethod2"));

    const auto indented = [](QLabel* label) {
        label->setContentsMargins(24, 0, 0, 8);
        return label;
    };
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WrappedLabel(QStringLiteral(
        "Trendwick can handle counter rollovers two different ways. If you are not sure how to set this, "
        "then select \"Method 2\". ")));
    layout->addSpacing(8);
    layout->addWidget(m_method1);
    layout->addWidget(indented(WrappedLabel(QStringLiteral(
        "This method assumes the counter hit the maximum value and rolled over. This method will generate "
        "false readings when counters are manually cleared on the router. Traffic is calculated using the "
        "CurrentValue+(MaxValue-LastValue) method. "))));
    layout->addWidget(m_method2);
    layout->addWidget(indented(WrappedLabel(
        QStringLiteral("This method ignores counter rollovers and schedules a new sample to be taken after a "
                       "rollver has been detected."))));
    layout->addStretch(1);
    return page;
}

QWidget* SettingsForm::BuildColumnsTab()
{
    auto* page = new QWidget;
    m_allFields = new QListWidget;
    m_allFields->setObjectName(QStringLiteral("Results_AllFields"));
    m_fields = new QListWidget;
    m_fields->setObjectName(QStringLiteral("Results_Fields"));

    auto* add = MakeButton(QStringLiteral("Add >"), QStringLiteral("Add_Button"));
    auto* remove = MakeButton(QStringLiteral("< Remove"), QStringLiteral("Remove_Button"));
    auto* up = MakeButton(QStringLiteral("Up"), QStringLiteral("Up_Button"));
    auto* down = MakeButton(QStringLiteral("Down"), QStringLiteral("Down_Button"));
    connect(add, &QPushButton::clicked, this, &SettingsForm::AddColumn);
    connect(m_allFields, &QListWidget::itemDoubleClicked, this, &SettingsForm::AddColumn);
    connect(remove, &QPushButton::clicked, this, &SettingsForm::RemoveColumn);
    connect(m_fields, &QListWidget::itemDoubleClicked, this, &SettingsForm::RemoveColumn);
    connect(up, &QPushButton::clicked, this, [this] { MoveColumn(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveColumn(1); });
    connect(m_fields, &QListWidget::currentRowChanged, this, [this](int row) { m_logic.setSelected(row); });

    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {add, remove, up, down})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("All fields ...")), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Fields included in results ...")), 0, 2);
    lists->addWidget(m_allFields, 1, 0);
    lists->addLayout(buttons, 1, 1);
    lists->addWidget(m_fields, 1, 2);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        WrappedLabel(QStringLiteral("Select the information you would like included in the OID list ...")));
    layout->addLayout(lists, 1);
    return page;
}

bool SettingsForm::ShowSettings()
{
    m_cancelled = true;
    Fill();
    exec();
    return !m_cancelled;
}

void SettingsForm::Fill()
{
    m_tabs->setCurrentIndex(0);
    m_logic.Load();
    m_allFields->clear();
    m_allFields->addItems(SettingsLogic::AllColumns());
    ShowChosen();

    const SettingsLogic::Values& values = m_logic.values;
    m_pollInterval->setValue(values.pollInterval);
    m_snmpTimeout->setValue(values.snmpTimeout);
    m_snmpRetries->setValue(values.snmpRetries);
    // A slider that already sat on the value raised no change: show every label now.
    for (QSlider* slider : {m_pollInterval, m_snmpTimeout, m_snmpRetries})
        Q_EMIT slider->valueChanged(slider->value());
    CheckOne(m_method1, m_method2, values.rolloverMethod1, !values.rolloverMethod1);
    CheckOne(m_version1, m_version2, values.version == SettingsLogic::Version::V1,
             values.version == SettingsLogic::Version::V2);

    QStringList broken;
    for (const QString& name : m_logic.Broken())
        broken.append(m_logic.BrokenText(name) + QLatin1Char('.'));
    m_broken->setText(broken.join(QLatin1Char('\n')) +
                      QStringLiteral("\nOK stores the values shown here in place of the stored ones."));
    m_broken->setVisible(!broken.isEmpty());
}

void SettingsForm::ShowChosen()
{
    const QSignalBlocker quiet(m_fields);
    m_fields->clear();
    for (const SettingsLogic::Column& column : m_logic.Chosen()) {
        auto* item = new QListWidgetItem(column.name, m_fields);
        item->setData(Qt::UserRole, column.id);
    }
    m_fields->setCurrentRow(m_logic.Selected());
}

void SettingsForm::FocusList(SettingsLogic::Focus focus)
{
    if (focus == SettingsLogic::Focus::AllFields)
        m_allFields->setFocus(Qt::OtherFocusReason);
    else if (focus == SettingsLogic::Focus::ChosenFields)
        m_fields->setFocus(Qt::OtherFocusReason);
}

void SettingsForm::AddColumn()
{
    const int row = m_allFields->selectedItems().isEmpty() ? -1 : m_allFields->currentRow();
    FocusList(m_logic.Add(row));
    ShowChosen();
}

void SettingsForm::RemoveColumn()
{
    m_logic.setSelected(m_fields->selectedItems().isEmpty() ? -1 : m_fields->currentRow());
    FocusList(m_logic.Remove());
    ShowChosen();
}

void SettingsForm::MoveColumn(int step)
{
    m_logic.setSelected(m_fields->selectedItems().isEmpty() ? -1 : m_fields->currentRow());
    if (step < 0)
        m_logic.Up();
    else
        m_logic.Down();
    ShowChosen();
}

void SettingsForm::Accept()
{
    SettingsLogic::Values& values = m_logic.values;
    values.pollInterval = m_pollInterval->value();
    values.snmpTimeout = m_snmpTimeout->value();
    values.snmpRetries = static_cast<qint16>(m_snmpRetries->value());
    values.rolloverMethod1 = m_method1->isChecked();
    values.version = m_version1->isChecked()   ? SettingsLogic::Version::V1
                     : m_version2->isChecked() ? SettingsLogic::Version::V2
                                               : SettingsLogic::Version::None;
    m_cancelled = false;
    m_logic.Apply();
    accept();
}
