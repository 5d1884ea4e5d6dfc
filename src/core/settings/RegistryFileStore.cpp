// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/RegistryFileStore.h"

#include "settings/StoreLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QLatin1String kUserRoot("HKEY_CURRENT_USER");
const QLatin1String kKeys("keys");
const QLatin1String kValues("values");
const QLatin1String kType("type");
const QLatin1String kData("data");

// The stored spelling of a name, matched exactly first and then ignoring case.
std::optional<QString> findName(const QJsonObject &object, const QString &name)
{
    if (object.contains(name))
        return name;
    const QStringList names = object.keys();
    for (const QString &candidate : names) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return std::nullopt;
}

QStringList sortedNames(const QJsonObject &object)
{
    QStringList names = object.keys();
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

bool isHex(const QString &s)
{
    if (s.size() % 2 != 0)
        return false;
    return std::all_of(s.begin(), s.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    });
}

QJsonObject valueToJson(const StoredValue &value)
{
    QJsonObject json;
    switch (value.type) {
    case StoredValue::Type::String:
        json.insert(kType, QStringLiteral("REG_SZ"));
        json.insert(kData, value.text);
        break;
    case StoredValue::Type::MultiString:
        json.insert(kType, QStringLiteral("REG_MULTI_SZ"));
        json.insert(kData, QJsonArray::fromStringList(value.texts));
        break;
    case StoredValue::Type::Dword:
        json.insert(kType, QStringLiteral("REG_DWORD"));
        json.insert(kData, value.number);
        break;
    case StoredValue::Type::Binary:
        json.insert(kType, QStringLiteral("REG_BINARY"));
        json.insert(kData, QString::fromLatin1(value.bytes.toHex()));
        break;
    case StoredValue::Type::Other:
        break;
    }
    return json;
}

// Anything hand-edited into a shape this program does not write reads as a
// type it does not know, that is, as no value.
StoredValue valueFromJson(const QJsonValue &json)
{
    StoredValue value;
    const QJsonObject object = json.toObject();
    const QString type = object.value(kType).toString();
    const QJsonValue data = object.value(kData);
    if (type == QLatin1String("REG_SZ") && data.isString()) {
        value.type = StoredValue::Type::String;
        value.text = data.toString();
    } else if (type == QLatin1String("REG_MULTI_SZ") && data.isArray()) {
        const QJsonArray array = data.toArray();
        for (const QJsonValue &element : array) {
            if (!element.isString())
                return StoredValue();
            value.texts.append(element.toString());
        }
        value.type = StoredValue::Type::MultiString;
    } else if (type == QLatin1String("REG_DWORD") && data.isDouble()) {
        const double d = data.toDouble();
        if (d != std::floor(d) || d < std::numeric_limits<qint32>::min()
            || d > std::numeric_limits<qint32>::max())
            return StoredValue();
        value.type = StoredValue::Type::Dword;
        value.number = static_cast<qint32>(d);
    } else if (type == QLatin1String("REG_BINARY") && data.isString() && isHex(data.toString())) {
        value.type = StoredValue::Type::Binary;
        value.bytes = QByteArray::fromHex(data.toString().toLatin1());
    }
    return value;
}

} // namespace

RegistryFileStore::RegistryFileStore(QString fileName)
    : m_fileName(std::move(fileName))
{
}

QJsonObject RegistryFileStore::loadDocument() const
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    return document.object();
}

bool RegistryFileStore::findKey(const QStringList &key, QJsonObject &out) const
{
    const QJsonObject document = loadDocument();
    const std::optional<QString> rootName = findName(document, kUserRoot);
    out = rootName ? document.value(*rootName).toObject() : QJsonObject();
    for (const QString &name : key) {
        const QJsonObject subKeys = out.value(kKeys).toObject();
        const std::optional<QString> found = findName(subKeys, name);
        if (!found)
            return false;
        out = subKeys.value(*found).toObject();
    }
    return true;
}

bool RegistryFileStore::readValue(const QStringList &key, const QString &name,
                                  StoredValue &out) const
{
    QJsonObject object;
    if (!findKey(key, object))
        return false;
    const QJsonObject values = object.value(kValues).toObject();
    const std::optional<QString> found = findName(values, name);
    if (!found)
        return false;
    out = valueFromJson(values.value(*found));
    return true;
}

bool RegistryFileStore::subKeys(const QStringList &key, QStringList &names) const
{
    QJsonObject object;
    if (!findKey(key, object))
        return false;
    names = sortedNames(object.value(kKeys).toObject());
    return true;
}

bool RegistryFileStore::valueNames(const QStringList &key, QStringList &names) const
{
    QJsonObject object;
    if (!findKey(key, object))
        return false;
    names = sortedNames(object.value(kValues).toObject());
    return true;
}

bool RegistryFileStore::writeValue(const QStringList &key, const QString &name,
                                   const StoredValue &value)
{
    const QJsonObject json = valueToJson(value);
    return modify(key, true, [&](QJsonObject &object) {
        QJsonObject values = object.value(kValues).toObject();
        const QString stored = findName(values, name).value_or(name);
        if (values.value(stored) == json)
            return Outcome::Unchanged;
        values.insert(stored, json);
        object.insert(kValues, values);
        return Outcome::Changed;
    });
}

bool RegistryFileStore::createKey(const QStringList &key)
{
    return modify(key, true, [](QJsonObject &) { return Outcome::Unchanged; });
}

bool RegistryFileStore::deleteKey(const QStringList &key)
{
    if (key.isEmpty())
        return false;
    const QStringList parent = key.mid(0, key.size() - 1);
    const QString last = key.last();
    return modify(parent, false, [&](QJsonObject &object) {
        QJsonObject subKeys = object.value(kKeys).toObject();
        const std::optional<QString> found = findName(subKeys, last);
        if (!found)
            return Outcome::Failed;
        // Like the registry: a key with sub-keys is not deleted.
        if (!subKeys.value(*found).toObject().value(kKeys).toObject().isEmpty())
            return Outcome::Failed;
        subKeys.remove(*found);
        if (subKeys.isEmpty())
            object.remove(kKeys);
        else
            object.insert(kKeys, subKeys);
        return Outcome::Changed;
    });
}

bool RegistryFileStore::deleteValue(const QStringList &key, const QString &name)
{
    return modify(key, false, [&](QJsonObject &object) {
        QJsonObject values = object.value(kValues).toObject();
        const std::optional<QString> found = findName(values, name);
        if (!found)
            return Outcome::Failed;
        values.remove(*found);
        if (values.isEmpty())
            object.remove(kValues);
        else
            object.insert(kValues, values);
        return Outcome::Changed;
    });
}

bool RegistryFileStore::modify(const QStringList &key, bool createMissing, const Change &change)
{
    const QFileInfo info(m_fileName);
    // Deleting from a store that was never written changes nothing.
    if (!createMissing && !info.exists())
        return false;
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    StoreLock lock(m_fileName + QStringLiteral(".lock"));
    if (!lock.acquire())
        return false;

    // Read again under the lock: another program may have written meanwhile.
    QJsonObject document = loadDocument();
    const QString rootName = findName(document, kUserRoot).value_or(kUserRoot);
    QJsonObject user = document.value(rootName).toObject();
    const Outcome outcome = modifyKey(user, key, 0, createMissing, change);
    if (outcome != Outcome::Changed)
        return outcome == Outcome::Unchanged;
    document.insert(rootName, user);
    return saveDocument(document);
}

RegistryFileStore::Outcome RegistryFileStore::modifyKey(QJsonObject &key, const QStringList &names,
                                                        qsizetype depth, bool createMissing,
                                                        const Change &change)
{
    if (depth == names.size())
        return change(key);
    QJsonObject subKeys = key.value(kKeys).toObject();
    const std::optional<QString> found = findName(subKeys, names.at(depth));
    if (!found && !createMissing)
        return Outcome::Failed;
    const QString name = found.value_or(names.at(depth));
    QJsonObject child = subKeys.value(name).toObject();
    Outcome outcome = modifyKey(child, names, depth + 1, createMissing, change);
    if (outcome == Outcome::Failed)
        return outcome;
    if (!found)
        outcome = Outcome::Changed;
    if (outcome == Outcome::Changed) {
        subKeys.insert(name, child);
        key.insert(kKeys, subKeys);
    }
    return outcome;
}

bool RegistryFileStore::saveDocument(const QJsonObject &document) const
{
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = QJsonDocument(document).toJson(QJsonDocument::Indented);
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
