// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The per-user settings store, addressed by registry-style paths such as
// "HKCU\Software\Norvane\Presetta\LastDir".
//
// Values are tagged as QVariants:
//   invalid QVariant            no value
//   int (32-bit)                32-bit number
//   short, unsigned char        written as 32-bit numbers
//   QString                     text
//   QStringList                 list of texts
//   QByteArray                  byte sequence
//   QVariantList                list of mixed values (never written)
//   anything else (double, bool, QDateTime, ...) written as its text
// Reading yields no value, int, QString, QStringList or QByteArray; modes 3 to
// 5 yield bool; modes 1 and 2 yield a QVariantList of names (a list holding a
// single invalid QVariant when there are none).
//
// The store never reports errors: anything missing reads as no value, and an
// internal failure sounds the beep (Beep::sound) and gives no value.
namespace mRegistry2 {

// Read (mode 0 and any unknown mode) or run a key operation (modes 1 to 5).
QVariant Registry(const QString &path, qint32 mode = 0);
// Write one value, creating the key path when missing. `mode` is ignored.
void Registry(const QString &path, qint32 mode, const QVariant &value);

QVariant GetAllKeys(const QString &path);
QVariant GetAllValues(const QString &path);
bool CreateKey(const QString &path);
bool DeleteKey(const QString &path);
bool DeleteValue(const QString &path);
QVariant ReadWithDefault(const QString &path, const QVariant &defaultValue);

// Where the current-user root is kept (the file of the backing store), and a
// way for tests to point it elsewhere (an empty path restores the default).
QString storeFile();
void setStoreFile(const QString &path);

} // namespace mRegistry2
