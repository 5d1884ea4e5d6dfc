// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortRecord.h"
#include "ports/PortSource.h"

#include <QList>

#include <memory>

// The serial ports present, each described by one record. Indexes run from
// 1 to Count(); an index outside that range gives an empty record's fields.
class clsCOMenum2
{
public:
    // Enumerates once. Without a source the ports of this computer are used.
    explicit clsCOMenum2(std::unique_ptr<PortSource> source = {});

    // Enumerate again, from scratch.
    void EnumNow();
    qint16 Count() const;

    QString Port(quint8 i) const;
    qint16 PortNum(quint8 i) const;
    QString Description(quint8 i) const;
    QString FriendlyName(quint8 i) const;
    bool Linked(quint8 i) const;
    QString Service(quint8 i) const;
    QString Services(quint8 i) const;
    QString Manufacturer(quint8 i) const;
    QString DID(quint8 i) const;
    QString PNP(quint8 i) const;
    QString VID(quint8 i) const;
    QString PID(quint8 i) const;
    QString ID(quint8 i) const;
    // What a serial port opens: the device path on POSIX.
    QString Path(quint8 i) const;
    // Every record of the last enumeration, index 1 first.
    const QList<PortRecord> &records() const { return m_records; }

private:
    const PortRecord &at(quint8 i) const;

    std::unique_ptr<PortSource> m_source;
    QList<PortRecord> m_records;
};
