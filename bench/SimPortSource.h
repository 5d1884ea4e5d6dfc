#pragma once

#include "ports/PortSource.h"

#include <QString>

// The port list the window under measurement sees: the simulator's terminal
// and nothing else, so the machine's own ports take no part.
class SimPortSource : public PortSource
{
public:
    explicit SimPortSource(const QString &devicePath);
    QList<PortRecord> ports() override;

private:
    QString m_path;
};
