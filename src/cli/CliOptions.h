// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the terminal program was asked to do.
struct CliOptions {
    // Exit status of presetta-cli; documented in --help and the man page.
    enum Exit {
        kDone = 0,
        kUsage = 2,        // unknown command, missing or bad argument
        kLink = 3,         // port cannot be opened, link lost, receiver silent
        kRefused = 4,      // the receiver refused a channel
        kFile = 5,         // file unreadable, not a memory file, or not written
        kMismatch = 6,     // --verify found channels that differ
        kInterrupted = 130 // Ctrl+C
    };

    QString command;      // ports, download, upload, update, sync, show
    QString file;         // the memory file of upload, update and show
    QString output;       // download -o; "" for standard output
    QString port;         // -p: device path or port name; "" for the window's choice
    bool changed = false;
    bool verify = false;
    int channel = 0;      // update --channel
    bool quiet = false;
    bool help = false;
    bool version = false;

    // Reads the arguments after the program name; on a usage error returns
    // false with the reason in error.
    bool parse(const QStringList &args, QString *error);

    static QString helpText();
};
