// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimOptions.h"

#include <QString>
#include <QStringList>

// The simulator's command line.
class SimCommandLine
{
public:
    // `arguments` includes the program name first, as QCoreApplication gives it.
    bool parse(const QStringList &arguments);

    const SimOptions &options() const { return m_options; }
    bool registerPort() const { return m_register; }
    bool helpWanted() const { return m_help; }
    QString error() const { return m_error; }

    static QString helpText();

private:
    bool fail(const QString &error);

    SimOptions m_options;
    bool m_register = true;
    bool m_help = false;
    QString m_error;
};
