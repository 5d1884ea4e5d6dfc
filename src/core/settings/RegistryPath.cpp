// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/RegistryPath.h"

#include "text/TextUtil.h"

RegistryRoot registryRootFromName(const QString &name)
{
    struct Entry {
        const char *name;
        RegistryRoot root;
    };
    static const Entry table[] = {
        {"HKCR", RegistryRoot::ClassesRoot},
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
        {"HKCU", RegistryRoot::CurrentUser},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
        {"HKLM", RegistryRoot::LocalMachine},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
        {"HKEY_USERS", RegistryRoot::Users},
        {"HKPD", RegistryRoot::PerformanceData},
        {"HKEY_PERFORMANCE_DATA", RegistryRoot::PerformanceData},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
        {"HKDD", RegistryRoot::DynData},
        {"HKEY_DYN_DATA", RegistryRoot::DynData},
    };
    for (const Entry &e : table) {
        if (name == QLatin1String(e.name))
            return e.root;
    }
    return RegistryRoot::None;
}

RegistryPath RegistryPath::split(const QString &path)
{
    RegistryPath result;
    const QString t = TextUtil::trimBlanks(path);
    if (t.isEmpty())
        return result;
    result.empty = false;

    const qsizetype first = t.indexOf(QLatin1Char('\\'));
    const QString rootName = first < 0 ? t : t.left(first);
    result.root = registryRootFromName(TextUtil::trimBlanks(rootName).toUpper());
    if (first < 0)
        return result;

    // The last separator wins; longer separators are tried first so that a
    // value name may carry single backslashes ("Key\\My\Value").
    const QString rest = t.mid(first + 1);
    qsizetype p = rest.lastIndexOf(QLatin1String("\\\\\\"));
    if (p >= 0) {
        result.keyPath = rest.left(p);
        result.valueName = rest.mid(p + 1);
        return result;
    }
    p = rest.lastIndexOf(QLatin1String("\\\\"));
    if (p >= 0) {
        result.keyPath = rest.left(p);
        result.valueName = rest.mid(p + 2);
        return result;
    }
    p = rest.lastIndexOf(QLatin1Char('\\'));
    if (p >= 0) {
        result.keyPath = rest.left(p);
        result.valueName = rest.mid(p + 1);
        return result;
    }
    result.keyPath = rest;
    return result;
}

RegistryPath RegistryPath::splitKey(const QString &path)
{
    QString t = TextUtil::trimBlanks(path);
    if (t.isEmpty())
        return {};
    if (!t.endsWith(QLatin1Char('\\')))
        t += QLatin1Char('\\');
    return split(t);
}

bool RegistryPath::keyNames(QStringList &names) const
{
    names.clear();
    if (keyPath.isEmpty())
        return true;
    names = keyPath.split(QLatin1Char('\\'));
    for (const QString &n : names) {
        if (n.isEmpty())
            return false;
    }
    return true;
}
