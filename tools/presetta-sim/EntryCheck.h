// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimChannel.h"
#include "SimOptions.h"

#include <QByteArray>
#include <QtGlobal>

// The receiver's verdict on an entry command
// "S" n "," freq "," bw "," stereo "," PI "," name.
namespace EntryCheck {

enum Bit : quint16 {
    kFrequency = 1,       // not 0 and in no band, or not a number
    kMemoryNumber = 2,    // not 1..count
    kBandwidth = 4,       // no code of the frequency's band
    kStereo = 8,          // not 0 or 1
    kMemoryOneEmpty = 16, // memory 1 sent with frequency 0
    kPi = 32,             // more than 4 characters or not hexadecimal
    kAccepted = 128,
};

struct Result {
    quint16 status = 0;   // kAccepted alone, or the error bits
    int number = 0;       // memory number as read (0 when unreadable)
    SimChannel channel;   // the fields as read
    bool accepted() const { return status == kAccepted; }
};

// `command` is the line without its line end, beginning with "S". Missing
// fields count as empty text.
Result check(const QByteArray &command, int memoryCount, const SimLimits &limits);

bool isPi(const QByteArray &field);
bool bandwidthFits(qint32 frequency, int code, const SimLimits &limits);

} // namespace EntryCheck
