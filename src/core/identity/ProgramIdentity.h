// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProgramVersion.h"

#include <QString>

// Who the program is: fixed at build time.
namespace ProgramIdentity {

inline const QString kTitle = QStringLiteral("Presetta");
inline const QString kMaker = QStringLiteral("Norvane");
// Set in the top CMakeLists.txt; the build writes them to ProgramVersion.h.
inline const QString kReleaseDate = QString::fromLatin1(ProgramVersion::kReleaseDate);
constexpr int kMajor = ProgramVersion::kMajor;
constexpr int kMinor = ProgramVersion::kMinor;
constexpr int kRevision = ProgramVersion::kRevision;

// Version text from the three numbers: "2.10b" for 2, 10, 2.
QString ProgVer(int major, int minor, int revision);
QString versionText();

// "ESP32 Presetta  v2.10b  [2026.03.14]": version text and release date.
QString caption();

// "HKCU\Software\Norvane\Presetta"; each setting appends its suffix.
QString settingsPath();

} // namespace ProgramIdentity
