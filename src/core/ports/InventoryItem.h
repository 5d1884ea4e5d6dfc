// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// One Plug and Play device as the platform's device inventory describes it.
struct InventoryItem {
    std::optional<QString> classGuid; // missing for devices without a class
    QString caption;
    QString pnpDeviceId;
    QString description;
    QString name;
    QString manufacturer;
    QString service;
};
