// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortRecord.h"

#include <QList>

// Where the enumerator takes its ports from: the platform, or a test.
class PortSource
{
public:
    virtual ~PortSource() = default;
    // The ports present now, in the order the platform lists them.
    virtual QList<PortRecord> ports() = 0;
};
