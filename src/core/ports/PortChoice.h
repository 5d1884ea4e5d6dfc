// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortRecord.h"

#include <QList>
#include <QString>
#include <QVariant>

// How the port list shows ports and which one it offers first: the same for
// the window and the terminal program.
namespace PortChoice {

// "ttyUSB0: USB2.0-Serial"
QString listText(const PortRecord &r);

// A CH340 bridge, known by its description or by its USB identity (Linux
// describes these as "USB2.0-Serial").
bool isCh340(const PortRecord &r);

// Index of the port to preselect: the remembered one (a stored text names
// the port, a stored number its port number; the last match wins), else the
// first CH340, else the first port; -1 when there is none.
int preselect(const QList<PortRecord> &ports, const QVariant &remembered);

// The port to choose after the list changed by itself (a device came or
// went): the one chosen by hand while it is there, else one that has just
// appeared (the user has just plugged it in; the last of several), else the
// preselection. before: the device paths listed until now.
int follow(const QList<PortRecord> &now, const QStringList &before, const QString &chosenByHand,
           const QVariant &remembered);

// The port a user names: a device path, or a port name from the list.
// -1 when the name matches no listed port.
int find(const QList<PortRecord> &ports, const QString &nameOrPath);

} // namespace PortChoice
