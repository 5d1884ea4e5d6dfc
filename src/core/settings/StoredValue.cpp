// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoredValue.h"

QString cutAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

bool StoredValue::fromVariant(const QVariant &value, StoredValue &out)
{
    out = StoredValue();
    if (!value.isValid()) {
        // No value is written as its text form, the empty text.
        out.type = Type::String;
        return true;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UChar:
        out.type = Type::Dword;
        out.number = value.toInt();
        return true;
    case QMetaType::QString:
        out.type = Type::String;
        out.text = cutAtNul(value.toString());
        return true;
    case QMetaType::QStringList: {
        out.type = Type::MultiString;
        const QStringList all = value.toStringList();
        for (const QString &s : all) {
            const QString element = cutAtNul(s);
            if (!element.isEmpty())
                out.texts.append(element);
        }
        return !out.texts.isEmpty();
    }
    case QMetaType::QByteArray:
        out.type = Type::Binary;
        out.bytes = value.toByteArray();
        return !out.bytes.isEmpty();
    case QMetaType::QVariantList:
        return false;
    default:
        break;
    }
    if (!value.canConvert<QString>())
        return false;
    out.type = Type::String;
    out.text = cutAtNul(value.toString());
    return true;
}

QVariant StoredValue::toVariant(bool &failed) const
{
    failed = false;
    switch (type) {
    case Type::String:
        return cutAtNul(text);
    case Type::MultiString: {
        // As the platform reads it: one NUL-separated block, trailing NULs
        // dropped, the rest cut at every NUL.
        QString block = texts.join(QChar(0));
        while (block.endsWith(QChar(0)))
            block.chop(1);
        return block.isEmpty() ? QStringList() : block.split(QChar(0));
    }
    case Type::Dword:
        return number;
    case Type::Binary:
        if (bytes.isEmpty()) {
            failed = true;
            return {};
        }
        return bytes;
    case Type::Other:
        break;
    }
    return {};
}
