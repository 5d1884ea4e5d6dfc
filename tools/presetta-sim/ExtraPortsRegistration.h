// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Offers the simulator's device in the program's port list while it runs:
// one element "<path>|Receiver simulator" in the settings value \ExtraPorts.
// The list is read afresh for every change so other elements stay.
class ExtraPortsRegistration
{
public:
    static QString elementFor(const QString &devicePath);
    static QStringList currentList();

    ExtraPortsRegistration() = default;
    ~ExtraPortsRegistration();
    ExtraPortsRegistration(const ExtraPortsRegistration &) = delete;
    ExtraPortsRegistration &operator=(const ExtraPortsRegistration &) = delete;

    void add(const QString &devicePath);
    // Takes our element out again; nothing happens when none was added.
    void remove();

private:
    QString m_element;
};
