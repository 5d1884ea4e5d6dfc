// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

// Turns POSIX signals into a Qt signal through a self-pipe, so a handler
// never does more than write one byte and the event loop ends cleanly.
// One watcher at a time; the previous handlers come back when it goes.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

    bool isValid() const { return m_notifier != nullptr; }

signals:
    void caught(int signalNumber);

private:
    void onReadable();

    QList<int> m_numbers;
    QSocketNotifier *m_notifier = nullptr;
};
