#include "oid_details_widget.h"

#include "mib_database.h"

#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>

static QLabel* makeValueLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

OIDDetailsWidget::OIDDetailsWidget(QWidget* parent, const MibDatabase* database)
    : QWidget(parent), m_database(database), m_name(makeValueLabel(this)), m_module(makeValueLabel(this)),
      m_oid(makeValueLabel(this)), m_syntax(makeValueLabel(this)), m_access(makeValueLabel(this)),
      m_status(makeValueLabel(this)), m_units(makeValueLabel(this)), m_description(new QPlainTextEdit(this))
{
    m_description->setReadOnly(true);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 4);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Module:"), m_module);
    form->addRow(tr("OID:"), m_oid);
    form->addRow(tr("Syntax:"), m_syntax);
    form->addRow(tr("Access:"), m_access);
    form->addRow(tr("Status:"), m_status);
    form->addRow(tr("Units:"), m_units);
    form->addRow(tr("Description:"), m_description);
}

void OIDDetailsWidget::DisplayOID(const QString& dottedOID)
{
    if (dottedOID.trimmed().isEmpty()) {
        showInfo(OIDInfo());
        return;
    }
    const MibDatabase& database = m_database ? *m_database : MibDatabase::instance();
    showInfo(database.lookup(dottedOID));
}

void OIDDetailsWidget::showInfo(const OIDInfo& info)
{
    m_info = info;
    m_name->setText(info.objectName);
    m_module->setText(info.moduleName);
    m_oid->setText(info.dottedOID);
    m_syntax->setText(info.syntaxName);
    m_access->setText(info.access);
    m_status->setText(info.status);
    m_units->setText(info.units);
    m_description->setPlainText(info.description);
}
