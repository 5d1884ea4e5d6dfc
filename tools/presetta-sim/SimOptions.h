// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Band limits of the simulated receiver in kHz, bounds inclusive.
struct SimLimits {
    qint32 amMin = 144;
    qint32 amMax = 27000;
    qint32 fmMin = 65000;
    qint32 fmMax = 108000;
};

// Where junk goes when the receiver is told to send garbage.
enum class GarbageMode {
    None,
    Before,   // a junk line ahead of every reply
    Instead,  // a junk line in place of every reply
};

// Everything the simulator can be told, from the command line or a test.
struct SimOptions {
    static constexpr int kMaxCount = 9999;

    int memoryCount = 99;
    SimLimits limits;
    QString storeFile;          // empty: memories live as long as the run
    bool demo = false;          // start with sample stations when nothing is stored
    bool lfOnly = false;        // reply lines end in LF instead of CR LF
    int answerDelayMs = 0;      // pause before a reply starts
    int byteDelayMs = 0;        // pause between reply bytes (slow link)
    bool neverAnswer = false;   // commands still take effect, nothing is sent
    int fixedStatus = -1;       // 0..65535: every entry is answered with it
    GarbageMode garbage = GarbageMode::None;
    int hangUpAfter = 0;        // hang up once this many commands are answered; 0 never
    QString logFile;            // command log; empty: see logToStderr
    bool logToStderr = false;

    // Header values of the download reply; what they mean is the receiver's own.
    int rValue = 1;
    QByteArray vText = QByteArrayLiteral("presetta-sim 1.0");
    qint32 sValue = 0;
    qint32 oValue = 0;
};
