// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredValue.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

// The current-user root of the settings store, kept in one JSON file:
//
//   { "HKEY_CURRENT_USER": { "keys": { "Software": { "keys": { ... },
//       "values": { "LastDir": { "type": "REG_SZ", "data": "/home/me" } } } } } }
//
// Every read loads the file afresh; every change takes the lock, re-reads the
// file (so two programs never lose each other's values), changes it and
// replaces it atomically. A missing, unreadable or corrupt file reads as an
// empty tree, and the next change writes a valid one. Names of keys and
// values are matched without regard to case and kept as first written.
class RegistryFileStore
{
public:
    explicit RegistryFileStore(QString fileName);

    // False when the key or the value is missing.
    bool readValue(const QStringList &key, const QString &name, StoredValue &out) const;
    bool subKeys(const QStringList &key, QStringList &names) const;
    bool valueNames(const QStringList &key, QStringList &names) const;

    // Creates the missing keys on the way. False when nothing could be saved.
    bool writeValue(const QStringList &key, const QString &name, const StoredValue &value);
    bool createKey(const QStringList &key);
    // False for a missing key, the root itself and a key that still has sub-keys.
    bool deleteKey(const QStringList &key);
    bool deleteValue(const QStringList &key, const QString &name);

private:
    enum class Outcome { Failed, Unchanged, Changed };
    using Change = std::function<Outcome(QJsonObject &key)>;

    QJsonObject loadDocument() const;
    bool findKey(const QStringList &key, QJsonObject &out) const;
    bool saveDocument(const QJsonObject &document) const;
    bool modify(const QStringList &key, bool createMissing, const Change &change);
    static Outcome modifyKey(QJsonObject &key, const QStringList &names, qsizetype depth,
                             bool createMissing, const Change &change);

    QString m_fileName;
};
