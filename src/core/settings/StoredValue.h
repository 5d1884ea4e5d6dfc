// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

// One value as the store keeps it, in the registry's own types.
struct StoredValue {
    enum class Type {
        String,      // REG_SZ
        MultiString, // REG_MULTI_SZ
        Dword,       // REG_DWORD, 32-bit signed here
        Binary,      // REG_BINARY
        Other,       // any type this program neither writes nor reads
    };

    Type type = Type::Other;
    QString text;
    QStringList texts;
    qint32 number = 0;
    QByteArray bytes;

    // The stored form of a caller's value. False (nothing to write) for a
    // mixed list, an all-empty list of texts, empty bytes and a value without
    // a text form; the caller beeps for those.
    static bool fromVariant(const QVariant &value, StoredValue &out);

    // What a read hands back: no value for the types not read. `failed` is set
    // for stored data that cannot be read at all (an empty REG_BINARY).
    QVariant toVariant(bool &failed) const;
};

// Text up to its first NUL character (all of it when it has none).
QString cutAtNul(const QString &text);
