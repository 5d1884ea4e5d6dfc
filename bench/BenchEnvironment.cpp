#include "BenchEnvironment.h"

#include <QDir>

BenchEnvironment::BenchEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (m_dir.isValid()) {
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    }
}

QString BenchEnvironment::programPath() const
{
    return m_dir.filePath(QStringLiteral("program/presetta"));
}
