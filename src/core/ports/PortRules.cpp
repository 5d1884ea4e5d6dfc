// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/PortRules.h"

#include "text/NumberRule.h"
#include "text/TextUtil.h"

namespace PortRules {

namespace {

const QString kPropertiesBase = QStringLiteral("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\");
const QString kBluetoothServices = QStringLiteral(
    "HKLM\\SYSTEM\\CurrentControlSet\\services\\BTHPORT\\Parameters\\LocalServices\\");

QString part(const QStringList &parts, qsizetype i)
{
    return i < parts.size() ? parts.at(i) : QString();
}

// The 4 characters after "VID_"/"VEN_" (or "PID_"/"DEV_"); "0000" when
// neither marker is there.
QString identifier(const QString &text, QLatin1String marker, QLatin1String fallback)
{
    qsizetype p = text.indexOf(marker);
    if (p < 0)
        p = text.indexOf(fallback);
    return p < 0 ? QStringLiteral("0000") : text.mid(p + 4, 4);
}

QStringList subKeyNames(const RegistryReader &registry, const QString &path)
{
    QStringList names;
    const QVariantList list = registry.allKeys(path).toList();
    for (const QVariant &name : list) {
        const QString s = name.toString();
        if (!s.isEmpty())
            names.append(s);
    }
    return names;
}

// Bytes as UTF-16 text, low byte first; an odd last byte is dropped.
QString utf16Text(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<uchar>(bytes.at(i));
        const auto hi = static_cast<uchar>(bytes.at(i + 1));
        text.append(QChar(static_cast<char16_t>(lo | (hi << 8))));
    }
    return text;
}

// A registry value read as text; raw bytes count as UTF-16 text, which is
// how the Bluetooth stack stores its service names.
QString valueText(const QVariant &value)
{
    QString text;
    if (value.typeId() == QMetaType::QByteArray)
        text = utf16Text(value.toByteArray());
    else if (value.isValid())
        text = value.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

bool isSerialClass(const std::optional<QString> &classGuid)
{
    if (!classGuid)
        return false;
    return *classGuid == QLatin1String("{4d36e978-e325-11ce-bfc1-08002be10318}")
        || *classGuid == QLatin1String("{4d36e96d-e325-11ce-bfc1-08002be10318}")
        || *classGuid == QLatin1String("{86e0d1e0-8089-11d0-9ce4-08003e301f73}");
}

std::optional<QString> portNameFromCaption(const QString &caption)
{
    // Searching without case gives the position in the caption itself, which
    // upper-casing could shift ("ß" becomes "SS").
    const qsizetype p = caption.lastIndexOf(QLatin1String("(COM"), -1, Qt::CaseInsensitive);
    if (p < 0)
        return std::nullopt;
    QString name = caption.mid(p + 1);
    name.remove(QLatin1Char(')'));
    return TextUtil::trimBlanks(name);
}

qint16 portNumber(const QString &portName)
{
    return NumberRule::read<qint16>(QStringView(portName).mid(qMin<qsizetype>(3, portName.size())));
}

PortRecord recordFromItem(const InventoryItem &item, const QString &portName)
{
    PortRecord r;
    r.port = portName;
    r.portNum = portNumber(portName);
    r.path = portName;

    const QStringList parts = item.pnpDeviceId.split(QLatin1Char('\\'));
    r.description = item.description;
    r.friendlyName = item.name;
    r.manufacturer = item.manufacturer;
    r.services = item.service;
    r.service = part(parts, 0);
    r.pnp = item.pnpDeviceId;

    if (!TextUtil::trimBlanks(r.description).isEmpty()) {
        const QString ids = part(parts, 1);
        r.vid = identifier(ids, QLatin1String("VID"), QLatin1String("VEN"));
        r.pid = identifier(ids, QLatin1String("PID"), QLatin1String("DEV"));
    }
    const QString instance = part(parts, 2);
    r.did = TextUtil::trimBlanks(instance).isEmpty() ? QStringLiteral("0000") : instance;
    r.id = r.did;
    r.linked = true;
    return r;
}

QString GetPropText(const QString &instancePath, const RegistryReader &registry)
{
    const QString base = kPropertiesBase + instancePath + QStringLiteral("\\Properties\\");
    for (const QString &k1 : subKeyNames(registry, base)) {
        for (const QString &k2 : subKeyNames(registry, base + k1)) {
            const QString key2 = base + k1 + QLatin1Char('\\') + k2;
            for (const QString &k3 : subKeyNames(registry, key2)) {
                const QVariant data = registry.value(key2 + QLatin1Char('\\') + k3
                                                     + QStringLiteral("\\Data"));
                if (data.typeId() != QMetaType::QByteArray)
                    continue;
                QString text = utf16Text(data.toByteArray());
                text.remove(QChar(0));
                text = TextUtil::trimBlanks(text);
                if (!text.isEmpty())
                    return text;
            }
        }
    }
    return {};
}

QString bluetoothServiceName(const QString &instancePath, const RegistryReader &registry)
{
    const QString ids = part(instancePath.split(QLatin1Char('\\')), 1);
    const qsizetype open = ids.indexOf(QLatin1Char('{'));
    if (open < 0)
        return {};
    const qsizetype close = ids.indexOf(QLatin1Char('}'), open + 1);
    if (close < 0)
        return {};
    const QString guid = ids.left(close + 1);
    QString name = valueText(registry.value(kBluetoothServices + guid
                                            + QStringLiteral("\\0\\ServiceName")));
    name.replace(QLatin1Char('"'), QLatin1Char('\''));
    return name;
}

void improveDescription(PortRecord &record, const RegistryReader &registry)
{
    const QString service = record.services.toLower();
    if (service == QLatin1String("silabser")) {
        const QString product = GetPropText(record.pnp, registry);
        if (!product.isEmpty())
            record.description = product;
    } else if (service == QLatin1String("bthmodem")) {
        const QString name = bluetoothServiceName(record.pnp, registry);
        if (!name.isEmpty())
            record.description = name + QStringLiteral(" (Bluetooth)");
    }
}

std::optional<PortRecord> recordFor(const InventoryItem &item, const RegistryReader &registry)
{
    if (!isSerialClass(item.classGuid))
        return std::nullopt;
    const std::optional<QString> name = portNameFromCaption(item.caption);
    if (!name)
        return std::nullopt;
    PortRecord record = recordFromItem(item, *name);
    improveDescription(record, registry);
    return record;
}

QList<PortRecord> recordsFor(const QList<InventoryItem> &items, const RegistryReader &registry)
{
    QList<PortRecord> records;
    for (const InventoryItem &item : items) {
        if (std::optional<PortRecord> r = recordFor(item, registry))
            records.append(*r);
    }
    return records;
}

} // namespace PortRules
