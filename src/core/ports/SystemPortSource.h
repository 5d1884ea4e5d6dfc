// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortSource.h"
#include "ports/RegistryReader.h"
#include "ports/SysfsTty.h"

#include <memory>

// The ports of this computer: the platform's serial-port list, with the
// Bluetooth links (rfcomm devices) it may leave out, then the virtual ports
// of the settings value \ExtraPorts that exist now.
class SystemPortSource : public PortSource
{
public:
    explicit SystemPortSource(std::shared_ptr<const RegistryReader> registry = {},
                              SysfsTty sysfs = SysfsTty());

    QList<PortRecord> ports() override;
    // How a Bluetooth link is listed: "Bluetooth link to 00:1A:7D:DA:71:13, channel 1".
    QString bluetoothDescription(const QString &name) const;

private:
    QList<PortRecord> platformPorts() const;
    // The rfcomm devices in devices, each "rfcomm0" as a record.
    QList<PortRecord> bluetoothPorts(const QString &devices) const;

    std::shared_ptr<const RegistryReader> m_registry;
    SysfsTty m_sysfs;
};
