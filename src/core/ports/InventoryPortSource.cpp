// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/InventoryPortSource.h"

#include "ports/PortRules.h"

InventoryPortSource::InventoryPortSource(Inventory inventory,
                                         std::shared_ptr<const RegistryReader> registry)
    : m_inventory(std::move(inventory))
    , m_registry(std::move(registry))
{
}

QList<PortRecord> InventoryPortSource::ports()
{
    if (!m_inventory || !m_registry)
        return {};
    return PortRules::recordsFor(m_inventory(), *m_registry);
}
