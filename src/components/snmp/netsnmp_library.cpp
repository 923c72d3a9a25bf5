#include "netsnmp_library.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <mutex>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

Q_LOGGING_CATEGORY(lcNetSnmp, "trendwick.snmp.netsnmp", QtWarningMsg)

namespace {

int logToQt(int /*majorId*/, int /*minorId*/, void* serverArg, void* /*clientArg*/)
{
    const auto* message = static_cast<const snmp_log_message*>(serverArg);
    if (!message || !message->msg)
        return 0;
    const QString text = QString::fromLocal8Bit(message->msg).trimmed();
    if (text.isEmpty())
        return 0;
    // Everything net-snmp says here is diagnostics for a developer; the user sees request
    // outcomes through the session's statuses, so even its errors stay below warning level.
    if (message->priority <= LOG_WARNING)
        qCInfo(lcNetSnmp).noquote() << text;
    else
        qCDebug(lcNetSnmp).noquote() << text;
    return 0;
}

} // namespace

void InitNetSnmpLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // snmp_sess_init runs the library's minimal set-up, so the flags below stick.
        netsnmp_session scratch;
        snmp_sess_init(&scratch);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_ERRORS, 0);
        netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);

        // Even with persistence off, init_snmp creates folders in its persistent directory
        // (/var/lib/snmp unless told otherwise); keep them in the user's cache instead.
        QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (cache.isEmpty())
            cache = QDir::tempPath();
        const QByteArray persistent = QFile::encodeName(cache + QStringLiteral("/Brightfen/net-snmp"));
        netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, persistent.constData());

        snmp_disable_stderrlog();
        snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, logToQt, nullptr);
        snmp_enable_calllog();

        init_snmp("trendwick");
    });
}
