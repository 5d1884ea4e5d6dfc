// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortSource.h"
#include "ports/RegistryReader.h"
#include "ports/SysfsTty.h"

#include <memory>

// The ports of this computer: the platform's serial-port list, then the
// virtual ports of the settings value \ExtraPorts that exist now.
class SystemPortSource : public PortSource
{
public:
    explicit SystemPortSource(std::shared_ptr<const RegistryReader> registry = {},
                              SysfsTty sysfs = SysfsTty());

    QList<PortRecord> ports() override;

private:
    QList<PortRecord> platformPorts() const;

    std::shared_ptr<const RegistryReader> m_registry;
    SysfsTty m_sysfs;
};
