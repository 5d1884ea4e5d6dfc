// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/SerialPortFacts.h"

#include "text/NumberRule.h"

namespace {

QString hex4(bool present, quint16 value)
{
    return present ? QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper()
                   : QStringLiteral("0000");
}

} // namespace

qint16 trailingNumber(const QString &name)
{
    qsizetype start = name.size();
    while (start > 0 && name.at(start - 1).isDigit() && name.at(start - 1).unicode() < 128)
        --start;
    return NumberRule::read<qint16>(QStringView(name).mid(start));
}

PortRecord SerialPortFacts::toRecord() const
{
    PortRecord r;
    r.port = name;
    r.portNum = trailingNumber(name);
    r.description = description;
    // Like the inventory's display name: "USB2.0-Serial (ttyUSB0)".
    r.friendlyName = description.isEmpty() ? name
                                           : description + QStringLiteral(" (") + name + QLatin1Char(')');
    r.linked = true;
    r.service = bus;
    r.services = driver;
    r.manufacturer = manufacturer;
    r.vid = hex4(hasVendorId, vendorId);
    r.pid = hex4(hasProductId, productId);
    r.did = serialNumber.isEmpty() ? QStringLiteral("0000") : serialNumber;
    r.id = r.did;
    r.pnp = systemLocation;
    r.path = systemLocation;
    return r;
}
