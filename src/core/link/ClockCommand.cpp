// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockCommand.h"

namespace ClockCommand {

QString clockCommand(const QTime &t)
{
    return QStringLiteral("$time: ") + t.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char('\n');
}

} // namespace ClockCommand
