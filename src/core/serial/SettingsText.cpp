// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/SettingsText.h"

#include "text/NumberRule.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace SettingsText {

namespace {
constexpr std::array<qint32, 16> kBaudRates = {
    110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600,
    115200, 128000, 256000, 230400, 460800, 921600,
};
constexpr qint32 kDefaultBaud = 9600;
const QString kParityLetters = QStringLiteral("NOEMS");

qint32 baudFrom(double v)
{
    const auto hit = std::find_if(kBaudRates.begin(), kBaudRates.end(),
                                  [v](qint32 b) { return v == static_cast<double>(b); });
    return hit != kBaudRates.end() ? *hit : kDefaultBaud;
}

quint8 parityFrom(const QString &field)
{
    const QString f = field.toUpper();
    if (f.size() != 1)
        return 0;
    const auto at = kParityLetters.indexOf(f.at(0));
    return at > 0 ? static_cast<quint8>(at) : 0;
}

quint8 dataBitsFrom(double v)
{
    for (int bits = 4; bits <= 8; ++bits) {
        if (v == bits)
            return static_cast<quint8>(bits);
    }
    return 8;
}

double stopBitsFrom(double v)
{
    return (v == 1.0 || v == 1.5 || v == 2.0) ? v : 1.0;
}
} // namespace

double fieldNumber(const QString &field)
{
    QString packed;
    packed.reserve(field.size());
    for (QChar c : field) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            packed.append(c);
    }
    return NumberRule::value(packed);
}

std::optional<Fields> parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    Fields f;
    f.baudRate = baudFrom(fieldNumber(parts[0]));
    f.parity = parityFrom(parts[1]);
    f.dataBits = dataBitsFrom(fieldNumber(parts[2]));
    f.stopBits = stopBitsFrom(fieldNumber(parts[3]));
    return f;
}

QString format(qint32 baudRate, quint8 parity, quint8 dataBits, quint8 stopCode)
{
    QString s = QString::number(baudRate) + QLatin1Char(',');
    if (parity < kParityLetters.size())
        s += kParityLetters.at(parity) + QLatin1Char(',');
    s += QString::number(dataBits) + QLatin1Char(',');
    switch (stopCode) {
    case 1: s += QStringLiteral("1.5"); break;
    case 2: s += QStringLiteral("2"); break;
    default: s += QStringLiteral("1"); break;
    }
    return s;
}

} // namespace SettingsText
