// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The two reads the enumerator makes of the settings store, so that tests can
// hand in a registry of their own.
class RegistryReader
{
public:
    virtual ~RegistryReader() = default;
    // Sub-key names of a key, as mRegistry2::GetAllKeys gives them.
    virtual QVariant allKeys(const QString &path) const = 0;
    // One value, as mRegistry2::Registry gives it in mode 0.
    virtual QVariant value(const QString &path) const = 0;
};
