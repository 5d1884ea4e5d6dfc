// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/DownloadReply.h"
#include "link/EntryStatus.h"
#include "memlist/MemoryTable.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTime>

class clsCommPort;

// Talks to the receiver over an open clsCommPort: the download of the list,
// the upload of channels one by one, a single channel, the clock. Window and
// terminal program both drive it, so they can never disagree on a byte.
//
// Every wait sleeps in the event loop. A lost link (a failure report thrown by
// the port or told by its signals) ends the transfer at its next step.
class TransferEngine : public QObject
{
    Q_OBJECT

public:
    enum class Status {
        Done,      // everything was sent, or the list was received
        NoList,    // the download brought no memory list
        Refused,   // the receiver refused an entry
        LinkLost,
        Aborted,   // abort request or stop
    };
    struct Outcome {
        Status status = Status::Done;
        int entry = 0;       // the memory number sent last (Refused: the one refused); 0 for none
        quint16 word = 0;    // Refused: its status word
        QList<EntryStatus::ErrorMessage> messages;
        QString description; // LinkLost: why, as the port describes it
        bool gone = false;   // LinkLost: the device went away, not merely a failing line
        int replies = 0;     // the receiver's answers: a line per entry or clock, 1 for a download
    };

    // A reply still arriving after the least wait is collected until the line
    // has been quiet this long, within the hard bounds.
    static constexpr int kLeastWaitMs = 2500;
    static constexpr int kQuietGapMs = 400;
    static constexpr int kWholeQuietMs = 200;
    static constexpr int kReplyHardLimitMs = 60000;
    // Far beyond the largest list a receiver can hold (32767 lines of ~40 bytes).
    static constexpr qsizetype kReplyMaxChars = 4 * 1024 * 1024;

    explicit TransferEngine(clsCommPort *port, QObject *parent = nullptr);

    bool isRunning() const { return m_running; }
    // Reply lines received so far by the transfer that runs (or ran last).
    int replies() const { return m_replies; }

    // Escape: an upload ends after the entry being sent. The flag stays set
    // until the next upload starts.
    void requestAbort() { m_abort = true; }
    void clearAbort() { m_abort = false; }
    bool abortRequested() const { return m_abort; }
    // The owner goes away: whatever runs ends at its next step.
    void stop();

    // Sends "s" and collects the reply; on Done the table holds the new count,
    // limits and raw memory lines (entries still to be built from them).
    // Limits a reply carries are taken even when it brings no list.
    Outcome ReadData(MemoryTable &table, DownloadReply::Values &values);
    // Sends the given memory numbers in order (all entries when empty).
    Outcome SendData(const MemoryTable &table, const QList<int> &numbers = {});
    Outcome SendEntry(const MemoryTable &table, int n);
    Outcome SyncDate(const QTime &time);

signals:
    // Entry n (index of total, from 1) is about to be sent.
    void entryStarting(int n, int index, int total);
    // The receiver refused entry n; emitted where its messages belong.
    void entryRefused(const TransferEngine::Outcome &outcome);
    // Characters of the download reply received so far.
    void replyProgress(qint64 characters);
    // Line activity changed: lamps to their idle colours when reset.
    void activity(bool reset);

private:
    template <typename Run>
    Outcome guarded(Run run);
    bool goesOn() const { return m_linkError.isEmpty() && !m_stopped; }
    Outcome ended() const;
    void yield();
    bool sendCommand(const QString &command);
    Outcome sendOne(const MemoryTable &table, int n);
    QString collectReply();
    void linkLost(const QString &description);

    clsCommPort *m_port;
    bool m_running = false;
    bool m_abort = false;
    bool m_stopped = false;
    int m_replies = 0;
    int m_lastEntry = 0;
    QString m_linkError;
    QElapsedTimer m_lastReceive;
};
