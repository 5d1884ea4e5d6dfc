// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Registry.h"

#include "platform/Beep.h"
#include "settings/RegistryFileStore.h"
#include "settings/RegistryPath.h"
#include "settings/StoredValue.h"

#include <QDir>

namespace mRegistry2 {

namespace {

QString &storeFileOverride()
{
    static QString path;
    return path;
}

RegistryFileStore store()
{
    return RegistryFileStore(storeFile());
}

// The key names of a path under the one root this store keeps; false for any
// other root and for key paths no key can have, which behave as missing keys.
bool userKey(const RegistryPath &path, QStringList &names)
{
    return path.root == RegistryRoot::CurrentUser && path.keyNames(names);
}

QVariant readValue(const QString &path)
{
    const RegistryPath p = RegistryPath::split(path);
    QStringList key;
    if (p.empty || !userKey(p, key))
        return {};
    StoredValue stored;
    if (!store().readValue(key, p.valueName, stored))
        return {};
    bool failed = false;
    const QVariant result = stored.toVariant(failed);
    if (failed)
        Beep::sound();
    return result;
}

QVariant nameList(const QStringList &names)
{
    QVariantList list;
    for (const QString &name : names)
        list.append(cutAtNul(name));
    if (list.isEmpty())
        list.append(QVariant());
    return list;
}

} // namespace

QString storeFile()
{
    if (!storeFileOverride().isEmpty())
        return storeFileOverride();
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/presetta/registry.json");
}

void setStoreFile(const QString &path)
{
    storeFileOverride() = path;
}

QVariant Registry(const QString &path, qint32 mode)
{
    switch (mode) {
    case 1:
        return GetAllKeys(path);
    case 2:
        return GetAllValues(path);
    case 3:
        return CreateKey(path);
    case 4:
        return DeleteKey(path);
    case 5:
        return DeleteValue(path);
    default:
        return readValue(path);
    }
}

void Registry(const QString &path, qint32 /*mode*/, const QVariant &value)
{
    const RegistryPath p = RegistryPath::split(path);
    QStringList key;
    if (p.empty || !userKey(p, key))
        return;
    StoredValue stored;
    if (!StoredValue::fromVariant(value, stored)) {
        Beep::sound();
        return;
    }
    // As with the registry, the result of the write itself is not reported.
    store().writeValue(key, p.valueName, stored);
}

QVariant GetAllKeys(const QString &path)
{
    const RegistryPath p = RegistryPath::splitKey(path);
    if (p.empty)
        return {};
    QStringList key;
    QStringList names;
    if (userKey(p, key))
        store().subKeys(key, names);
    return nameList(names);
}

QVariant GetAllValues(const QString &path)
{
    const RegistryPath p = RegistryPath::splitKey(path);
    if (p.empty)
        return {};
    QStringList key;
    QStringList names;
    if (userKey(p, key))
        store().valueNames(key, names);
    return nameList(names);
}

bool CreateKey(const QString &path)
{
    const RegistryPath p = RegistryPath::splitKey(path);
    QStringList key;
    return !p.empty && userKey(p, key) && store().createKey(key);
}

bool DeleteKey(const QString &path)
{
    const RegistryPath p = RegistryPath::splitKey(path);
    QStringList key;
    return !p.empty && userKey(p, key) && store().deleteKey(key);
}

bool DeleteValue(const QString &path)
{
    const RegistryPath p = RegistryPath::split(path);
    QStringList key;
    return !p.empty && userKey(p, key) && store().deleteValue(key, p.valueName);
}

QVariant ReadWithDefault(const QString &path, const QVariant &defaultValue)
{
    const QVariant value = readValue(path);
    return value.isValid() ? value : defaultValue;
}

} // namespace mRegistry2
