// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/TransferEngine.h"

#include <QString>
#include <QTime>

// What a transfer says about itself: how far it is while it runs, and one
// closing word when it has ended. The window and presetta-cli both take
// their words from here, so they never tell the same end differently.
namespace TransferWords {

enum class Command { Download, Upload, UploadChanged, Update, Sync };
// What ended an upload early on the user's side, besides nothing at all.
enum class Stop { None, Escape, Interrupt };

struct Ending {
    explicit Ending(Command command, const TransferEngine::Outcome &outcome = {}, int channels = 0,
                    const QTime &clock = {})
        : command(command), outcome(outcome), channels(channels), clock(clock)
    {
    }

    Command command;
    TransferEngine::Outcome outcome;
    int channels;    // Download: received; Upload: sent in full; UploadChanged: the differing ones
    QTime clock;     // Sync: the time sent
    Stop stop = Stop::None;

    // The receiver said nothing at all. The window takes that for consent,
    // as the receiver's protocol does; the word says it all the same.
    bool unanswered() const;
};

QString closing(const Ending &ending);

// While it runs.
QString uploading(int index, int total);
QString downloading(qint64 characters);

} // namespace TransferWords
