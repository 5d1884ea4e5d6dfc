// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TransferWords.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace TransferWords {

namespace {
using Status = TransferEngine::Status;

bool isUpload(Command c)
{
    return c == Command::Upload || c == Command::UploadChanged;
}

// An upload names the channel it got to; the other commands have only one thing to do.
QString stopped(const Ending &e, const QString &why)
{
    if (!isUpload(e.command))
        return why;
    if (e.outcome.entry > 0)
        return QCoreApplication::translate("TransferWords", "stopped after channel %1: %2")
            .arg(QString::number(e.outcome.entry), why);
    return QCoreApplication::translate("TransferWords", "nothing sent: %1").arg(why);
}
} // namespace

bool Ending::unanswered() const
{
    switch (outcome.status) {
    case Status::Done:
        // A received list is an answer, and nothing to send asked nothing.
        return command != Command::Download && !(command == Command::UploadChanged && channels == 0)
            && outcome.replies == 0;
    case Status::NoList:
        return outcome.replies == 0;
    case Status::Aborted:
        // Not the user's doing: the front end gave up on a silent receiver.
        return stop == Stop::None;
    case Status::Refused:
    case Status::LinkLost:
        break;
    }
    return false;
}

QString closing(const Ending &e)
{
    const TransferEngine::Outcome &o = e.outcome;
    if (e.unanswered())
        return QCoreApplication::translate("TransferWords", "the receiver does not answer");
    switch (o.status) {
    case Status::Done:
        break;
    case Status::NoList:
        return QCoreApplication::translate("TransferWords", "the receiver sent no channel list");
    case Status::Refused:
        return QCoreApplication::translate("TransferWords", "channel %1 refused by the receiver (status %2)")
            .arg(o.entry)
            .arg(o.word);
    case Status::LinkLost:
        return stopped(e, o.gone ? QCoreApplication::translate("TransferWords", "the receiver was unplugged")
                                 : QCoreApplication::translate("TransferWords", "the link to the receiver failed"));
    case Status::Aborted:
        return stopped(e, e.stop == Stop::Escape ? QCoreApplication::translate("TransferWords", "Escape")
                                                 : QCoreApplication::translate("TransferWords", "interrupted"));
    }
    switch (e.command) {
    case Command::Download:
        return QCoreApplication::translate("TransferWords", "%n channel(s) received", nullptr, e.channels);
    case Command::Upload:
        return QCoreApplication::translate("TransferWords", "%n channel(s) sent", nullptr, e.channels);
    case Command::UploadChanged:
        if (e.channels == 0)
            return QCoreApplication::translate("TransferWords", "nothing to send: the receiver holds this list");
        return QCoreApplication::translate("TransferWords", "%n changed channel(s) sent", nullptr, e.channels);
    case Command::Update:
        return QCoreApplication::translate("TransferWords", "channel %1 sent").arg(o.entry);
    case Command::Sync:
        return QCoreApplication::translate("TransferWords", "clock set to %1")
            .arg(e.clock.toString(QStringLiteral("HH:mm:ss")));
    }
    return QString();
}

QString uploading(int index, int total)
{
    return QCoreApplication::translate("TransferWords", "Uploading %1/%2").arg(index).arg(total);
}

QString downloading(qint64 characters)
{
    const int n = static_cast<int>(std::min<qint64>(characters, std::numeric_limits<int>::max()));
    return QCoreApplication::translate("TransferWords", "Downloading: %n byte(s)", nullptr, n);
}

} // namespace TransferWords
