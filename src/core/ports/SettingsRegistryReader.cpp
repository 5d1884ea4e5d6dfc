// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/SettingsRegistryReader.h"

#include "settings/Registry.h"

QVariant SettingsRegistryReader::allKeys(const QString &path) const
{
    return mRegistry2::GetAllKeys(path);
}

QVariant SettingsRegistryReader::value(const QString &path) const
{
    return mRegistry2::Registry(path);
}
