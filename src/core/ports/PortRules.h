// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/InventoryItem.h"
#include "ports/PortRecord.h"
#include "ports/RegistryReader.h"

#include <QList>
#include <QString>

#include <optional>

// How a device of the inventory becomes a port record.
namespace PortRules {

// Ports (COM & LPT), Modem, or the COM-port interface class.
bool isSerialClass(const std::optional<QString> &classGuid);

// "USB-SERIAL CH340 (COM5)" gives "COM5": from the last "(COM" on, without
// ")" and outer blanks. No "(COM" (printer ports, modems without a COM
// port): no port name.
std::optional<QString> portNameFromCaption(const QString &caption);

// The number in a port name from its 4th character on, 3 for "COM3"; only
// the leading number counts ("COM3 x" gives 3), none gives 0.
qint16 portNumber(const QString &portName);

// The record of a listed device, before its description is improved.
PortRecord recordFromItem(const InventoryItem &item, const QString &portName);

// The first product text in a device's registry property store, or "".
QString GetPropText(const QString &instancePath, const RegistryReader &registry);

// The service name a Bluetooth serial link announces, quotes made
// apostrophes; "" when it has none.
QString bluetoothServiceName(const QString &instancePath, const RegistryReader &registry);

// A better description for Silicon Labs bridges and Bluetooth links.
void improveDescription(PortRecord &record, const RegistryReader &registry);

// The record of one inventory item, or none when it is not a listed port.
std::optional<PortRecord> recordFor(const InventoryItem &item, const RegistryReader &registry);

// The records of all listed ports, in inventory order.
QList<PortRecord> recordsFor(const QList<InventoryItem> &items, const RegistryReader &registry);

} // namespace PortRules
