// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowOptions.h"

#include "identity/ProgramIdentity.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {
struct Parser {
    QCommandLineParser p;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QCoreApplication::translate("WindowOptions", "Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QCoreApplication::translate("WindowOptions", "Show the version and exit.")};
    Parser()
    {
        p.setApplicationDescription(QCoreApplication::translate(
            "WindowOptions", "Keeps the memory channels of an FM/AM RDS receiver on a serial port."));
        p.addOptions({help, version});
        p.addPositionalArgument(QCoreApplication::translate("WindowOptions", "FILE"),
                                QCoreApplication::translate("WindowOptions",
                                                            "A memory file to load instead of the automatic one."),
                                QCoreApplication::translate("WindowOptions", "[FILE]"));
    }
};
} // namespace

WindowOptions WindowOptions::parse(const QStringList &arguments)
{
    Parser parser;
    WindowOptions o;
    if (!parser.p.parse(arguments)) {
        o.action = Action::Usage;
        o.error = parser.p.errorText();
        return o;
    }
    if (parser.p.isSet(parser.help)) {
        o.action = Action::Help;
        return o;
    }
    if (parser.p.isSet(parser.version)) {
        o.action = Action::Version;
        return o;
    }
    const QStringList files = parser.p.positionalArguments();
    if (files.size() > 1) {
        o.action = Action::Usage;
        o.error = QCoreApplication::translate("WindowOptions", "One file at most.");
        return o;
    }
    o.file = files.value(0);
    return o;
}

bool WindowOptions::asksForText(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a == QLatin1String("--"))
            return false;
        if (a == QLatin1String("-h") || a == QLatin1String("--help") || a == QLatin1String("-v")
            || a == QLatin1String("--version"))
            return true;
    }
    return false;
}

QString WindowOptions::helpText()
{
    Parser parser;
    return parser.p.helpText();
}

QString WindowOptions::versionText()
{
    return QStringLiteral("presetta %1\n").arg(ProgramIdentity::versionText());
}
