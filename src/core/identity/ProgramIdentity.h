// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Who the program is: fixed at build time.
namespace ProgramIdentity {

inline const QString kTitle = QStringLiteral("Presetta");
inline const QString kMaker = QStringLiteral("Norvane");
inline const QString kReleaseDate = QStringLiteral("2025.07.01");
constexpr int kMajor = 1;
constexpr int kMinor = 6;
constexpr int kRevision = 3;

// Version text from the three numbers: "1.06c" for 1, 6, 3.
QString ProgVer(int major, int minor, int revision);
QString versionText();

// "ESP32 Presetta  v1.06c  [2025.07.01]"
QString caption();

// "HKCU\Software\Norvane\Presetta"; each setting appends its suffix.
QString settingsPath();

} // namespace ProgramIdentity
