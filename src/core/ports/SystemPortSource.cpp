// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/SystemPortSource.h"

#include "ports/ExtraPorts.h"
#include "ports/SerialPortFacts.h"
#include "ports/SettingsRegistryReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>

SystemPortSource::SystemPortSource(std::shared_ptr<const RegistryReader> registry, SysfsTty sysfs)
    : m_registry(registry ? std::move(registry) : std::make_shared<SettingsRegistryReader>())
    , m_sysfs(std::move(sysfs))
{
}

QList<PortRecord> SystemPortSource::platformPorts() const
{
    QList<PortRecord> records;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortFacts facts;
        facts.name = info.portName();
        facts.systemLocation = info.systemLocation();
        facts.description = info.description();
        facts.manufacturer = info.manufacturer();
        facts.serialNumber = info.serialNumber();
        facts.hasVendorId = info.hasVendorIdentifier();
        facts.vendorId = info.vendorIdentifier();
        facts.hasProductId = info.hasProductIdentifier();
        facts.productId = info.productIdentifier();
        facts.bus = m_sysfs.bus(info.portName());
        facts.driver = m_sysfs.driver(info.portName());
        if (facts.description.isEmpty())
            facts.description = bluetoothDescription(facts.name);
        records.append(facts.toRecord());
    }
    return records;
}

QString SystemPortSource::bluetoothDescription(const QString &name) const
{
    if (!name.startsWith(QLatin1String("rfcomm")))
        return {};
    const QString address = m_sysfs.rfcommAddress(name);
    if (address.isEmpty())
        return QCoreApplication::translate("PortList", "Bluetooth link");
    const QString channel = m_sysfs.rfcommChannel(name);
    return channel.isEmpty()
        ? QCoreApplication::translate("PortList", "Bluetooth link to %1").arg(address)
        : QCoreApplication::translate("PortList", "Bluetooth link to %1, channel %2").arg(address, channel);
}

QList<PortRecord> SystemPortSource::bluetoothPorts(const QString &devices) const
{
    QList<PortRecord> records;
    const QFileInfoList nodes = QDir(devices).entryInfoList({QStringLiteral("rfcomm*")}, QDir::System, QDir::Name);
    for (const QFileInfo &node : nodes) {
        SerialPortFacts facts;
        facts.name = node.fileName();
        facts.systemLocation = node.absoluteFilePath();
        facts.description = bluetoothDescription(facts.name);
        records.append(facts.toRecord());
    }
    return records;
}

QList<PortRecord> SystemPortSource::ports()
{
    QList<PortRecord> records = platformPorts();
    QSet<QString> seen;
    for (const PortRecord &r : records)
        seen.insert(QFileInfo(r.path).canonicalFilePath());
    // Without udev the platform's list has no bound rfcomm links.
    for (const PortRecord &r : bluetoothPorts(QStringLiteral("/dev"))) {
        if (!seen.contains(QFileInfo(r.path).canonicalFilePath())) {
            seen.insert(QFileInfo(r.path).canonicalFilePath());
            records.append(r);
        }
    }

    // A path listed twice, or already found by the platform, is offered once.
    const QList<ExtraPorts::Entry> entries = ExtraPorts::parse(m_registry->value(ExtraPorts::valuePath()));
    for (const ExtraPorts::Entry &entry : entries) {
        const std::optional<PortRecord> record = ExtraPorts::recordFor(entry);
        if (!record)
            continue;
        const QString canonical = QFileInfo(record->path).canonicalFilePath();
        if (seen.contains(canonical))
            continue;
        seen.insert(canonical);
        records.append(*record);
    }
    return records;
}
