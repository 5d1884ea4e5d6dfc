// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandLog.h"
#include "CommandReader.h"
#include "SimClock.h"
#include "SimMemories.h"
#include "SimOptions.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class PseudoTerminal;
class ReplyPacer;

// Plays the receiver on a pseudo-terminal. Runs on the thread that creates
// it, alongside the program under test: everything is event-driven.
class ReceiverSimulator : public QObject
{
    Q_OBJECT

public:
    // Bytes kept for receivedBytes(); older ones fall out.
    static constexpr qsizetype kMaxKeptBytes = 4 * 1024 * 1024;

    explicit ReceiverSimulator(const SimOptions &options = SimOptions(), QObject *parent = nullptr);
    ~ReceiverSimulator() override;

    // Opens the terminal (and loads the store file, opens the log).
    bool start(QString *error = nullptr);
    // Closes the terminal and writes the store file; emits nothing.
    void stop();
    bool isRunning() const;
    QString devicePath() const;

    // Drops the line: closes the terminal, after which the program's reads
    // fail. Emits hungUp().
    void hangUp();

    QByteArray receivedBytes() const { return m_received; }
    void clearReceivedBytes() { m_received.clear(); }
    int commandCount() const { return m_commandCount; }

    const SimOptions &options() const { return m_options; }
    // Takes effect from the next command; a new count drops channels above it.
    // The store file and the log are taken at start().
    void setOptions(const SimOptions &options);

    const SimMemories &memories() const { return m_memories; }
    bool setChannel(int n, const SimChannel &channel);

    const SimClock &clock() const { return m_clock; }

signals:
    void commandReceived(const QByteArray &command);
    void hungUp();

private:
    void onBytes(const QByteArray &bytes);
    void handle(const QByteArray &command);
    QByteArray answerTo(const QByteArray &command);
    QByteArray answerEntry(const QByteArray &line);
    QByteArray answerClock(const QByteArray &line);
    void send(const QByteArray &reply);
    void deliver(const QByteArray &reply);
    void onTerminalFailed(const QString &why);
    void checkHangUp();
    void drainTick();
    void closeLink();
    void memoriesChanged();
    void saveStore();

    SimOptions m_options;
    SimMemories m_memories;
    SimClock m_clock;
    CommandReader m_reader;
    CommandLog m_log;
    PseudoTerminal *m_terminal;
    ReplyPacer *m_pacer;
    QTimer m_saveTimer;
    QTimer m_drainTimer;
    QByteArray m_received;
    int m_commandCount = 0;
    int m_delayedReplies = 0;
    int m_drainWaits = 0;
    int m_drainQuietPolls = 0;
    quint64 m_session = 0;   // replies delayed past a hang-up are dropped
    bool m_hangUpDue = false;
    bool m_storeDirty = false;
};
