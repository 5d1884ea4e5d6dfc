// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliOptions.h"

#include "files/MemoryFile.h"
#include "link/ReceiverSession.h"
#include "link/TransferWords.h"

#include <QObject>
#include <QTimer>

class MemoryTable;

// Runs one command of the terminal program on the core, as the window would:
// the same port choice, file rules, bytes on the wire and file bytes.
class CliRunner : public QObject
{
    Q_OBJECT

public:
    explicit CliRunner(const CliOptions &options, QObject *parent = nullptr);
    // The exit status (CliOptions::Exit).
    int run();

private:
    int ports();
    int download();
    int upload();
    int update();
    int sync();
    int show();

    bool openPort();
    // The file of the command by the window's load rules into table (whose
    // count and limits it is read by); false with the reason told.
    bool loadFile(MemoryTable &table, MemoryFile::Count count);
    // Downloads into table; 0 or the exit status of the failure.
    int fetch(MemoryTable &table);
    // The exit status of a transfer that did not end as hoped.
    int failed(const TransferWords::Ending &ending);
    // The exit status of a transfer that sends: silence counts as failure.
    int finished(TransferWords::Ending ending);
    int interrupted();
    void watchInterrupt();
    void backup(const MemoryTable &table, const QString &what);

    void progress(const QString &text);
    // The progress line's last state, left standing on a terminal.
    void closeProgress(const QString &text);
    void endProgress();
    void error(const QString &text);
    void print(const QString &text);

    CliOptions m_opt;
    ReceiverSession m_session;
    TransferEngine *m_engine;
    QTimer m_interruptCheck;
    bool m_showProgress;
    bool m_progressShown = false;
    bool m_interrupted = false;
    bool m_sending = false;     // an upload runs: Ctrl+C lets its channel finish
    int m_fileLines = 0;        // channel lines of the file loaded last
};
