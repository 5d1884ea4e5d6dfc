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

// Qt's own options, which QGuiApplication, QApplication and the X11
// platform take out of the command line ("-style fusion", "--style fusion",
// "-style=fusion"). Help and the version run on a QCoreApplication, which
// leaves them in, so they are passed over here.
const QStringList kQtOptionsWithValue{"platform", "platformpluginpath", "platformtheme", "plugin",
                                      "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                                      "geometry", "title", "icon", "name", "visual", "style", "stylesheet",
                                      "fontengine"};
const QStringList kQtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};
// Only these are also taken as "-option=value".
const QStringList kQtJoinedValue{"style", "stylesheet"};

QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--")) {
            kept += arguments.mid(i);
            break;
        }
        const QString name = a.startsWith(QLatin1String("--")) ? a.mid(2)
            : a.startsWith(QLatin1Char('-'))                    ? a.mid(1)
                                                                : QString();
        const bool joined = name.contains(QLatin1Char('=')) && kQtJoinedValue.contains(name.section(QLatin1Char('='), 0, 0));
        if (kQtFlags.contains(name) || joined)
            continue;
        if (kQtOptionsWithValue.contains(name))
            ++i; // and its value
        else
            kept << a;
    }
    return kept;
}

} // namespace

WindowOptions WindowOptions::parse(const QStringList &arguments)
{
    Parser parser;
    WindowOptions o;
    if (!parser.p.parse(withoutQtOptions(arguments))) {
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
    for (const QString &a : withoutQtOptions(arguments).mid(1)) {
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
