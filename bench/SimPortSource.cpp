#include "SimPortSource.h"

#include "ports/ExtraPorts.h"

SimPortSource::SimPortSource(const QString &devicePath)
    : m_path(devicePath)
{
}

QList<PortRecord> SimPortSource::ports()
{
    ExtraPorts::Entry entry;
    entry.path = m_path;
    entry.description = QStringLiteral("Receiver simulator");
    if (const auto record = ExtraPorts::recordFor(entry))
        return {*record};
    return {};
}
