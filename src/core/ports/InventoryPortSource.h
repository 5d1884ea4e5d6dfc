// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/InventoryItem.h"
#include "ports/PortSource.h"
#include "ports/RegistryReader.h"

#include <functional>
#include <memory>

// Ports from a device inventory (the Windows Plug and Play list), each item
// passed through the port rules.
class InventoryPortSource : public PortSource
{
public:
    using Inventory = std::function<QList<InventoryItem>()>;

    InventoryPortSource(Inventory inventory, std::shared_ptr<const RegistryReader> registry);

    QList<PortRecord> ports() override;

private:
    Inventory m_inventory;
    std::shared_ptr<const RegistryReader> m_registry;
};
