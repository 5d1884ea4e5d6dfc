// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/RegistryReader.h"

// Reads the real settings store.
class SettingsRegistryReader : public RegistryReader
{
public:
    QVariant allKeys(const QString &path) const override;
    QVariant value(const QString &path) const override;
};
