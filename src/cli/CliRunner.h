// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliOptions.h"

#include "link/TransferEngine.h"
#include "serial/clsCommPort.h"

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
    // The memory count a file is read with: its own number of lines, the
    // window's (99, or more for a longer file), or the table's as it is.
    enum class Count { File, WindowList, Table };
    // Loads the memory file into table by the window's rules; false with the
    // reason printed when the file is refused.
    bool loadFile(MemoryTable &table, Count count);
    // Downloads into table; 0 or the exit status of the failure.
    int fetch(MemoryTable &table);
    // The exit status of a transfer that did not end as hoped.
    int failed(const TransferEngine::Outcome &outcome, const QString &noList = QString());
    // The exit status of a transfer that sends: silence counts as failure.
    int finished(const TransferEngine::Outcome &outcome);
    void watchInterrupt();
    // Keeps a copy of a list around a transfer; a failure is told once and
    // stops nothing.
    void backup(const MemoryTable &table, const QString &what);

    void progress(const QString &text);
    void endProgress();
    void error(const QString &text);
    void print(const QString &text);

    CliOptions m_opt;
    clsCommPort m_port;
    TransferEngine m_engine;
    QTimer m_interruptCheck;
    bool m_showProgress;
    bool m_progressShown = false;
    bool m_interrupted = false;
    bool m_backupWarned = false;
    int m_fileLines = 0;   // data lines of the file loaded last
};
