// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/TtyDevice.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace TtyDevice {

namespace {

bool isTerminalDriver(const QString &driver)
{
    return driver.startsWith(QLatin1String("tty")) || driver.startsWith(QLatin1String("/dev/tty"))
        || driver == QLatin1String("pts") || driver == QLatin1String("rfcomm");
}

} // namespace

QSet<int> terminalMajors(const QString &procDevices)
{
    QSet<int> majors;
    bool inCharacterDevices = false;
    const QStringList lines = procDevices.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.endsWith(QLatin1Char(':'))) {
            inCharacterDevices = t == QLatin1String("Character devices:");
            continue;
        }
        if (!inCharacterDevices)
            continue;
        const qsizetype blank = t.indexOf(QLatin1Char(' '));
        if (blank <= 0)
            continue;
        bool ok = false;
        const int major = t.left(blank).toInt(&ok);
        if (ok && isTerminalDriver(t.mid(blank + 1).trimmed()))
            majors.insert(major);
    }
    return majors;
}

bool isTerminal(const QString &path, const QString &procDevicesFile)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    QFile devices(procDevicesFile);
    if (!devices.open(QIODevice::ReadOnly))
        return true;
    const QSet<int> majors = terminalMajors(QString::fromLocal8Bit(devices.readAll()));
    return majors.isEmpty() || majors.contains(static_cast<int>(major(st.st_rdev)));
}

} // namespace TtyDevice
