// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The program's own values in the settings store, under
// HKCU\Software\Norvane\Presetta, each read by its kind: a value of another
// kind counts as missing and gives the default.
class ProgramSettings
{
public:
    // Full settings path of a value ("LastDir" gives ...\Presetta\LastDir).
    static QString path(const QString &name);

    // LastDir: the folder the save dialog starts in, ending with a separator;
    // a text, else fallback.
    QString lastDir(const QString &fallback) const;
    void setLastDir(const QString &dir);

    // Win.Left, Win.Top: the window's place in screen pixels; 32-bit numbers,
    // else none (the window is then centred).
    std::optional<int> winLeft() const;
    std::optional<int> winTop() const;
    void setWindowPosition(int left, int top);

    // COM-Port: the port chosen last. Stored as the port's name; a number
    // stored elsewhere still names a port number. Invalid when none.
    QVariant comPort() const;
    void setComPort(const QString &portName);

    // ExtraPorts: device paths (optionally "|" and a description) the port
    // list offers beside the platform's ports; a single text counts as one.
    QStringList extraPorts() const;
    void setExtraPorts(const QStringList &entries);

    static QStringList extraPortsOf(const QVariant &stored);
    // RecentFiles: the memory files loaded or saved last, newest first.
    QStringList recentFiles() const;
    void addRecentFile(const QString &path);
};
