// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The predefined roots a settings path can start with.
enum class RegistryRoot {
    None,
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    PerformanceData,
    CurrentConfig,
    DynData,
};

// A settings path taken apart into root, key path and value name, e.g.
// "HKCU\Software\A\B\LastDir" -> current user, "Software\A\B", "LastDir".
struct RegistryPath {
    bool empty = true; // the path was blank and names nothing
    RegistryRoot root = RegistryRoot::None;
    QString keyPath;
    QString valueName;

    // A path naming a value.
    static RegistryPath split(const QString &path);
    // A path naming a key: a trailing "\" is added first, so the whole path
    // becomes the key path.
    static RegistryPath splitKey(const QString &path);

    // The key path's names from the root down; empty for the root itself.
    // False when a name in it is empty (as in "A\\B" or a trailing "\"),
    // which no key can have.
    bool keyNames(QStringList &names) const;
};

// "HKCU", "HKEY_CURRENT_USER", ... (already upper-cased and trimmed).
RegistryRoot registryRootFromName(const QString &name);
