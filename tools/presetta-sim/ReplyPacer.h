// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class PseudoTerminal;

// Hands reply bytes to the terminal, all at once or, on a slow link, one
// byte per tick. Output waiting for a reader is capped so a program that
// keeps asking and never reads cannot make it grow without bound.
class ReplyPacer : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 kMaxPending = 8 * 1024 * 1024;

    explicit ReplyPacer(PseudoTerminal *terminal, QObject *parent = nullptr);

    void setByteDelay(int ms);
    // False (and nothing queued) when the reply would pass the cap.
    bool enqueue(const QByteArray &bytes);
    void clear();
    bool isIdle() const;

signals:
    // Everything queued has been handed to the terminal and written.
    void idle();

private:
    void tick();
    void onTerminalWritten();

    PseudoTerminal *m_terminal;
    QByteArray m_queue;
    qsizetype m_sent = 0;   // bytes of m_queue already handed on
    QTimer m_timer;
};
