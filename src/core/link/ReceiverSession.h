// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/Backups.h"
#include "link/DownloadReply.h"
#include "link/TransferEngine.h"
#include "memlist/MemoryTable.h"
#include "ports/PortProblem.h"

#include <QObject>
#include <QString>

#include <functional>

class clsCommPort;

// The receiver as both front ends use it: its port opened with the
// protocol's line settings, the transfer engine on that port, the download as
// a finished table, and the backups of the lists that pass through.
class ReceiverSession : public QObject
{
    Q_OBJECT

public:
    static const QString kLineSettings;          // "115200,N,8,1"
    static constexpr int kPollIntervalMs = 25;

    explicit ReceiverSession(QObject *parent = nullptr);

    clsCommPort *port() const { return m_port; }
    TransferEngine *engine() const { return m_engine; }

    // Opens the device at path (number: the port number, where ports have
    // one), closing whatever was open first. When it stays closed, why says
    // what is wrong in a sentence a user can act on, or is empty when
    // neither the platform nor the device tells.
    struct Opening {
        bool open = false;
        QString why;
    };
    Opening open(const QString &path, qint16 number, PortProblem::Source source);

    // Sends the download request. The table starts from current, so what the
    // reply does not carry stays as it was; on Done it is the receiver's
    // list, entries built. Limits a reply carries are in it either way.
    struct Download {
        TransferEngine::Outcome outcome;
        MemoryTable table;
        DownloadReply::Values values;
    };
    Download download(const MemoryTable &current);

    // Sends the channels 1..lines of table that the receiver holds
    // otherwise: its list is downloaded into a copy first, and only what
    // differs from that goes out, in order. ready sees the receiver's list
    // and the numbers about to be sent, and may stop it there (false).
    // An Escape during the download counts: nothing is sent then.
    struct ChangedUpload {
        TransferEngine::Outcome outcome;   // of the download if it failed, else of the sending
        MemoryTable receiver;
        QList<int> sent;
    };
    using Ready = std::function<bool(const MemoryTable &receiver, const QList<int> &numbers)>;
    ChangedUpload uploadChanged(const MemoryTable &table, int lines, const Ready &ready = {});

    Backups::Keeper &backups() { return m_backups; }

private:
    clsCommPort *m_port;
    TransferEngine *m_engine;
    Backups::Keeper m_backups;
};
