#include "oid_details.h"

#include "mib_database.h"
#include "oid_details_widget.h"

OIDDetails::OIDDetails() = default;

OIDDetails::OIDDetails(const MibDatabase* database) : m_database(database) {}

void OIDDetails::Lookup(const QString& name)
{
    const MibDatabase& database = m_database ? *m_database : MibDatabase::instance();
    m_info = database.lookup(name);
}

QWidget* OIDDetails::ShowDetails(QWidget* parent) const
{
    auto* window = new OIDDetailsWidget(parent);
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(m_info.fullName.isEmpty() ? QStringLiteral("MIB object") : m_info.fullName);
    window->showInfo(m_info);
    window->show();
    return window;
}

QString OIDDetails::DefaultCalculation() const
{
    const QString word =
        (m_info.calculationHint.isEmpty() ? m_info.syntaxName : m_info.calculationHint).toUpper();
    static const QStringList levels{QStringLiteral("GAUGE"), QStringLiteral("GAUGE32"),
                                    QStringLiteral("INTEGER"), QStringLiteral("INTEGER32"),
                                    QStringLiteral("NO CALCULATIONS")};
    return levels.contains(word) ? QStringLiteral("No Calculations") : QStringLiteral("x per Second");
}
