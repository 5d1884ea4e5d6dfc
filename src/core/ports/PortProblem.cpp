// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/PortProblem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PortProblem {

namespace {
QString groupOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    const group *g = ::getgrgid(st.st_gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
}

// The live program holding the port's lock file, "" when there is none.
bool heldByOther(const QString &path, QString *holder)
{
    QString name = path.startsWith(QLatin1String("/dev/")) ? path.mid(5) : QFileInfo(path).fileName();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &folder : lockFolders()) {
        const QString lock = folder + QStringLiteral("/LCK..") + name;
        if (!QFileInfo::exists(lock))
            continue;
        qint64 pid = 0;
        QString host;
        QString app;
        if (!QLockFile(lock).getLockInfo(&pid, &host, &app) || pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
            continue;   // stale: its owner has ended
        *holder = app.isEmpty() ? QCoreApplication::translate("PortProblem", "process %1").arg(pid)
                                : QCoreApplication::translate("PortProblem", "%1, process %2").arg(app).arg(pid);
        return true;
    }
    return false;
}
} // namespace

QStringList lockFolders()
{
    return {QStringLiteral("/var/lock"), QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"), QStringLiteral("/var/tmp"),
            QStringLiteral("/var/lock/lockdev"), QStringLiteral("/run/lock")};
}

Diagnosis diagnose(const QString &path, const QString &label, Source source,
                   QSerialPort::SerialPortError error, const QString &errorText)
{
    Diagnosis d;
    QString holder;
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if ((!exists || error == QSerialPort::DeviceNotFoundError) && source == Source::Typed) {
        d.kind = Kind::NotThere;
        d.text = QCoreApplication::translate("PortProblem", "%1 is not there: no such device.").arg(path);
    } else if (!exists || error == QSerialPort::DeviceNotFoundError) {
        d.kind = Kind::Gone;
        d.text = QCoreApplication::translate("PortProblem", "%1 is gone: the device is no longer there. Plug it in again.").arg(label);
    } else if (!S_ISCHR(st.st_mode)) {
        d.kind = Kind::NotSerial;
        d.text = QCoreApplication::translate("PortProblem", "%1 is not a serial device.").arg(path);
    } else if (heldByOther(path, &holder)) {
        d.kind = Kind::Busy;
        d.text = QCoreApplication::translate("PortProblem", "%1 is in use by another program (%2). Close it, then connect again.")
                     .arg(label, holder);
    } else if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        const QString group = groupOf(path);
        d.kind = Kind::NoPermission;
        d.text = QCoreApplication::translate("PortProblem", "No permission to use %1. Your user must be a member of the group "
                                "\"%2\" (sudo usermod -aG %2 $USER), then log in again.").arg(label, group);
    } else if (error == QSerialPort::PermissionError) {
        // Refused although the rights are there: another program holds it
        // exclusively without a lock file.
        d.kind = Kind::Busy;
        d.text = QCoreApplication::translate("PortProblem", "%1 is in use by another program. Close it, then connect again.").arg(label);
    } else {
        d.text = QCoreApplication::translate("PortProblem", "%1 cannot be opened: %2.").arg(label, errorText);
    }
    return d;
}

} // namespace PortProblem
