#include "spreadsheet.h"

#include "test_database.h"

#include <QDebug>
#include <QJsonDocument>
#include <QProcess>

namespace tabel::test {

EnvScope::EnvScope(const char* name, const QByteArray& value)
    : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
{
    qputenv(name, value);
}

EnvScope::~EnvScope()
{
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

QJsonObject readWorkbook(const QString& path)
{
    QProcess python;
    python.start(u"python3"_qs, {sourceDir() + u"/tests/support/xlsx_dump.py"_qs, path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning().noquote() << "xlsx_dump.py failed:" << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

} // namespace tabel::test
