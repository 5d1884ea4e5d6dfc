// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortRecord.h"

#include <QString>

// What the platform's serial-port list tells about one port (on POSIX).
struct SerialPortFacts {
    QString name;           // ttyUSB0
    QString systemLocation; // /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
    bool hasVendorId = false;
    quint16 vendorId = 0;
    bool hasProductId = false;
    quint16 productId = 0;
    QString bus;    // USB, PCI, ... ("" when unknown)
    QString driver; // ch341-uart, ftdi_sio, ... ("" when unknown)

    PortRecord toRecord() const;
};

// The number a device name ends in, 0 for "ttyUSB0" and for a name without one.
qint16 trailingNumber(const QString &name);
