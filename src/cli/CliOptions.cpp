// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

bool CliOptions::parse(const QStringList &args, QString *error)
{
    QCommandLineParser p;
    const QCommandLineOption portOpt({QStringLiteral("p"), QStringLiteral("port")}, QString(), QStringLiteral("PORT"));
    const QCommandLineOption outOpt({QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("FILE"));
    const QCommandLineOption channelOpt(QStringLiteral("channel"), QString(), QStringLiteral("N"));
    const QCommandLineOption changedOpt(QStringLiteral("changed"));
    const QCommandLineOption verifyOpt(QStringLiteral("verify"));
    const QCommandLineOption quietOpt(QStringList{QStringLiteral("q"), QStringLiteral("quiet")});
    const QCommandLineOption helpOpt(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOpt(QStringLiteral("version"));
    p.addOptions({portOpt, outOpt, channelOpt, changedOpt, verifyOpt, quietOpt, helpOpt, versionOpt});
    if (!p.parse(QStringList{QStringLiteral("presetta-cli")} + args)) {
        *error = p.errorText();
        return false;
    }
    help = p.isSet(helpOpt);
    version = p.isSet(versionOpt);
    if (help || version)
        return true;
    port = p.value(portOpt);
    output = p.value(outOpt);
    changed = p.isSet(changedOpt);
    verify = p.isSet(verifyOpt);
    quiet = p.isSet(quietOpt);

    const QStringList pos = p.positionalArguments();
    command = pos.value(0);
    static const QStringList withFile{QStringLiteral("upload"), QStringLiteral("update"), QStringLiteral("show")};
    static const QStringList without{QStringLiteral("ports"), QStringLiteral("download"), QStringLiteral("sync")};
    const bool needsFile = withFile.contains(command);
    if (!needsFile && !without.contains(command)) {
        *error = command.isEmpty() ? QCoreApplication::translate("CliOptions", "no command given")
                                   : QCoreApplication::translate("CliOptions", "unknown command \"%1\"").arg(command);
        return false;
    }
    if (pos.size() != (needsFile ? 2 : 1)) {
        *error = needsFile ? QCoreApplication::translate("CliOptions", "%1 takes one file").arg(command)
                           : QCoreApplication::translate("CliOptions", "%1 takes no file").arg(command);
        return false;
    }
    file = pos.value(1);
    const auto onlyFor = [&](bool set, const QString &option, const QString &cmd) {
        if (set && command != cmd)
            *error = QCoreApplication::translate("CliOptions", "%1 belongs to %2").arg(option, cmd);
        return error->isEmpty();
    };
    if (!onlyFor(p.isSet(outOpt), QStringLiteral("-o"), QStringLiteral("download"))
        || !onlyFor(changed, QStringLiteral("--changed"), QStringLiteral("upload"))
        || !onlyFor(verify, QStringLiteral("--verify"), QStringLiteral("upload"))
        || !onlyFor(p.isSet(channelOpt), QStringLiteral("--channel"), QStringLiteral("update")))
        return false;
    if (command == QLatin1String("update")) {
        bool ok = false;
        channel = p.value(channelOpt).toInt(&ok);
        if (!ok || channel < 1) {
            *error = QCoreApplication::translate("CliOptions", "update needs --channel N with N from 1");
            return false;
        }
    }
    return true;
}

QString CliOptions::helpText()
{
    return QCoreApplication::translate("CliOptions",
        "Usage: presetta-cli [-p PORT] [-q] COMMAND [ARGUMENTS]\n"
        "\n"
        "The memory channels of an FM/AM RDS receiver on a serial line, from a terminal.\n"
        "Memory files are the ones the Presetta window saves and loads.\n"
        "\n"
        "Commands:\n"
        "  ports                     list the serial ports; * marks the one used without -p\n"
        "  download [-o FILE]        fetch the receiver's channels as a memory file\n"
        "                            (standard output without -o)\n"
        "  upload FILE [--changed] [--verify]\n"
        "                            send every channel of FILE (a line each; channels beyond\n"
        "                            its lines are left as they are); stop at the first one the\n"
        "                            receiver refuses. --changed: download first and send only\n"
        "                            the channels that differ. --verify: download afterwards and\n"
        "                            report every channel that differs from FILE\n"
        "  update FILE --channel N   send channel N of FILE\n"
        "  sync                      set the receiver's clock to this computer's local time\n"
        "  show FILE                 print FILE's channels as the window's list shows them\n"
        "\n"
        "Options:\n"
        "  -p, --port PORT   device path (/dev/ttyUSB0) or port name from 'ports';\n"
        "                    default: the port the window used last, else its first choice\n"
        "  -q, --quiet       no progress on standard error\n"
        "  -h, --help        this text\n"
        "      --version     the program's version\n"
        "\n"
        "Ctrl+C ends an upload after the channel being sent, anything else at once.\n"
        "\n"
        "Exit status:\n"
        "  0    done\n"
        "  2    usage error\n"
        "  3    port or link failure: the port cannot be opened, the link was lost, or the\n"
        "       receiver does not answer\n"
        "  4    the receiver refused a channel\n"
        "  5    a file is unreadable, not a memory file, or could not be written\n"
        "  6    --verify found channels that differ\n"
        "  130  interrupted (Ctrl+C)\n");
}
