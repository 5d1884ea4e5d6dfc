// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// What the enumerator knows about one serial port.
struct PortRecord {
    QString port;         // COM3, ttyUSB0
    qint16 portNum = 0;   // 3 for COM3
    QString description;
    QString friendlyName;
    bool linked = false;
    QString service;      // bus enumerator: first part of the instance path
    QString services;     // driver service
    QString manufacturer;
    QString vid;
    QString pid;
    QString did;          // instance identifier: third part of the instance path
    QString pnp;          // whole instance path (device path on POSIX)
    QString id;           // same as did
    QString path;         // what a serial port opens: device path or COM name
};
