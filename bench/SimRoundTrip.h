#pragma once

#include <QByteArray>
#include <QString>

// Measures how long the simulator takes to answer, from our side of its
// terminal: write a command, read until the whole expected reply is in.
// There is no baud rate on a pseudo-terminal, so this is the simulator's own
// answer time (plus the terminal's hand-over), not time on a wire.
class SimRoundTrip
{
public:
    explicit SimRoundTrip(const QString &devicePath);
    ~SimRoundTrip();
    SimRoundTrip(const SimRoundTrip &) = delete;
    SimRoundTrip &operator=(const SimRoundTrip &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Seconds until `replyBytes` bytes came back; negative on failure or
    // when they did not come within the time-out.
    double measure(const QByteArray &command, qint64 replyBytes, int timeOutMs = 10000);

private:
    int m_fd = -1;
};
