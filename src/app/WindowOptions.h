// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The window's command line: presetta [FILE], --help, --version.
struct WindowOptions {
    enum class Action { Run, Help, Version, Usage };

    Action action = Action::Run;
    QString file;    // the memory file to load instead of the automatic one
    QString error;   // Usage: what is wrong

    // arguments: the program name first; Qt's own options (-platform, -style,
    // ...) and their values are passed over.
    static WindowOptions parse(const QStringList &arguments);
    // Whether the arguments ask for help or the version, which need no display.
    static bool asksForText(const QStringList &arguments);
    static QString helpText();
    static QString versionText();
};
