// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTime>

namespace ClockCommand {

// "$time: HH:mm:ss" (24-hour) + LF.
QString clockCommand(const QTime &t);

} // namespace ClockCommand
