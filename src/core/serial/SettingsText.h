// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The line settings as one text, "baud,parity,data bits,stop bits", for
// example "115200,N,8,1".
namespace SettingsText {

struct Fields {
    qint32 baudRate = 9600;
    quint8 parity = 0;      // 0 none, 1 odd, 2 even, 3 mark, 4 space
    quint8 dataBits = 8;
    double stopBits = 1.0;  // 1, 1.5 or 2
};

// The fields of a settings text with unknown values replaced by their
// defaults; nothing unless the text has exactly four fields.
std::optional<Fields> parse(const QString &text);

// stopCode: 0 one, 1 one and a half, 2 two stop bits. A parity code outside
// 0..4 adds no letter.
QString format(qint32 baudRate, quint8 parity, quint8 dataBits, quint8 stopCode);

// The leading number of one field; blanks, tabs and line feeds anywhere in
// the field are skipped, no number reads 0.
double fieldNumber(const QString &field);

} // namespace SettingsText
