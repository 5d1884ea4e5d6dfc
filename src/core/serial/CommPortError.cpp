// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/CommPortError.h"

CommPortError::CommPortError(const QString &source, const QString &description)
    : m_source(source)
    , m_description(description)
    , m_what((source + QStringLiteral(": ") + description).toStdString())
{
}
