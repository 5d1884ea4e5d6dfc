// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include "files/CsvFile.h"
#include "files/FileRWLite.h"
#include "link/EntryCommand.h"
#include "link/TransferWords.h"
#include "memlist/LineFormat.h"
#include "memlist/MemoryTable.h"
#include "platform/Clock.h"
#include "ports/PortChoice.h"
#include "ports/clsCOMenum2.h"
#include "serial/clsCommPort.h"
#include "settings/ProgramSettings.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

#include <QFile>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
using TransferWords::Command;
using TransferWords::Ending;

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

bool writeAll(FILE *f, const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f)
               == static_cast<size_t>(bytes.size())
        && std::fflush(f) == 0;
}

// A memory file's channel as the list shows it, for reports.
QString channelText(const MemoryTable &t, int n)
{
    return TextUtil::trimBlanks(LineFormat::listLine(t.entry(n), n, t.size()));
}
} // namespace

CliRunner::CliRunner(const CliOptions &options, QObject *parent)
    : QObject(parent), m_opt(options), m_engine(m_session.engine()),
      m_showProgress(!options.quiet && ::isatty(STDERR_FILENO))
{
    connect(m_engine, &TransferEngine::entryStarting, this, [this](int, int index, int total) {
        // A receiver that did not answer the first channel will not answer
        // the others either: no reason to sit out a second per channel.
        if (index == 2 && m_engine->replies() == 0) {
            m_engine->stop();
            return;
        }
        progress(TransferWords::uploading(index, total));
    });
    connect(m_engine, &TransferEngine::replyProgress, this,
            [this](qint64 characters) { progress(TransferWords::downloading(characters)); });
}

int CliRunner::run()
{
    watchInterrupt();
    const QString &c = m_opt.command;
    const int status = c == QLatin1String("ports")      ? ports()
        : c == QLatin1String("download")                ? download()
        : c == QLatin1String("upload")                  ? upload()
        : c == QLatin1String("update")                  ? update()
        : c == QLatin1String("sync")                    ? sync()
                                                        : show();
    endProgress();
    if (m_session.port()->IsOpen())
        m_session.port()->cClose();
    return status;
}

// Ctrl+C ends the program at its next step with 130; an upload first
// finishes the channel being sent. A second one ends it at once.
void CliRunner::watchInterrupt()
{
    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    sa.sa_flags = SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    m_interruptCheck.setInterval(50);
    connect(&m_interruptCheck, &QTimer::timeout, this, [this] {
        if (!g_interrupted || m_interrupted)
            return;
        m_interrupted = true;
        m_engine->requestAbort();
        if (!m_sending)
            m_engine->stop();
    });
    m_interruptCheck.start();
}

int CliRunner::interrupted()
{
    error(tr("interrupted"));
    return CliOptions::kInterrupted;
}

void CliRunner::progress(const QString &text)
{
    if (!m_showProgress)
        return;
    std::fprintf(stderr, "\r%s\033[K", qPrintable(text));
    std::fflush(stderr);
    m_progressShown = true;
}

void CliRunner::closeProgress(const QString &text)
{
    progress(text);
    endProgress();
}

void CliRunner::endProgress()
{
    if (m_progressShown)
        std::fputc('\n', stderr);
    m_progressShown = false;
}

void CliRunner::error(const QString &text)
{
    endProgress();
    std::fprintf(stderr, "presetta-cli: %s\n", qPrintable(text));
}

void CliRunner::print(const QString &text)
{
    // A result on the terminal replaces the progress line instead of running on from it.
    if (m_progressShown) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        m_progressShown = false;
    }
    writeAll(stdout, (text + QLatin1Char('\n')).toLocal8Bit());
}

// ------------------------------------------------------------------ helpers

bool CliRunner::openPort()
{
    QString path = m_opt.port;
    PortProblem::Source source = PortProblem::Source::Typed;
    if (!path.startsWith(QLatin1Char('/'))) {
        const clsCOMenum2 ports;
        const QList<PortRecord> &list = ports.records();
        const int i = path.isEmpty()
            ? PortChoice::preselect(list, ProgramSettings().comPort())
            : PortChoice::find(list, path);
        if (i < 0) {
            error(path.isEmpty() ? tr("no serial port found")
                                 : tr("no port named \"%1\" (see: presetta-cli ports)").arg(path));
            return false;
        }
        path = list[i].path;
        source = PortProblem::Source::Listed;
    }
    const ReceiverSession::Opening o = m_session.open(path, 0, source);
    if (!o.open)
        error(o.why.isEmpty() ? tr("cannot open %1").arg(path) : o.why);
    return o.open;
}

bool CliRunner::loadFile(MemoryTable &table, MemoryFile::Count count)
{
    const MemoryFile::Read r = MemoryFile::read(m_opt.file, count, table.memoryCount(), table.limits());
    if (r.status != MemoryFile::Status::Loaded) {
        error(QStringLiteral("%1: %2").arg(m_opt.file, r.message));
        return false;
    }
    table.setMemoryCount(r.count);
    table.setEntries(r.entries);
    m_fileLines = r.lines;
    return true;
}

void CliRunner::backup(const MemoryTable &table, const QString &what)
{
    const QString failure = m_session.backups().write(table, what);
    if (!failure.isEmpty())
        error(failure);
}

int CliRunner::fetch(MemoryTable &table)
{
    ReceiverSession::Download d = m_session.download(table);
    if (d.outcome.status != TransferEngine::Status::Done)
        return failed(Ending(Command::Download, d.outcome));
    table = std::move(d.table);
    return CliOptions::kDone;
}

int CliRunner::failed(const Ending &e)
{
    const TransferEngine::Outcome &o = e.outcome;
    switch (o.status) {
    case TransferEngine::Status::Done:
        return CliOptions::kDone;
    case TransferEngine::Status::NoList:
        error(TransferWords::closing(e));
        return CliOptions::kLink;
    case TransferEngine::Status::LinkLost:
        error(TextUtil::trimBlanks(o.description));
        return CliOptions::kLink;
    case TransferEngine::Status::Refused: {
        QStringList texts;
        for (const EntryStatus::ErrorMessage &m : o.messages)
            texts << TextUtil::trimBlanks(m.text);
        error(TransferWords::closing(e)
              + (texts.isEmpty() ? QString() : QStringLiteral(": ") + texts.join(QLatin1Char(' '))));
        return CliOptions::kRefused;
    }
    case TransferEngine::Status::Aborted:
        break;
    }
    if (m_interrupted)
        return interrupted();
    error(TransferWords::closing(e));
    return CliOptions::kLink;
}

int CliRunner::finished(Ending e)
{
    if (m_interrupted)
        e.stop = TransferWords::Stop::Interrupt;
    const TransferEngine::Status status = e.outcome.status;
    if (status == TransferEngine::Status::Aborted && m_interrupted && e.outcome.entry > 0 && m_showProgress) {
        closeProgress(TransferWords::closing(e));
        return CliOptions::kInterrupted;
    }
    if (status != TransferEngine::Status::Done)
        return failed(e);
    // The window takes silence for consent; a script needs to know.
    if (e.unanswered()) {
        error(TransferWords::closing(e));
        return CliOptions::kLink;
    }
    closeProgress(TransferWords::closing(e));
    return CliOptions::kDone;
}

// ----------------------------------------------------------------- commands

int CliRunner::ports()
{
    const clsCOMenum2 ports;
    const QList<PortRecord> &list = ports.records();
    const int pick = PortChoice::preselect(list, ProgramSettings().comPort());
    for (int i = 0; i < list.size(); ++i)
        print(QStringLiteral("%1 %2  %3  %4")
                  .arg(i == pick ? QLatin1Char('*') : QLatin1Char(' '))
                  .arg(i + 1)
                  .arg(PortChoice::listText(list[i]), list[i].path));
    return CliOptions::kDone;
}

int CliRunner::download()
{
    if (!openPort())
        return CliOptions::kLink;
    MemoryTable table;
    if (const int status = fetch(table))
        return status;
    backup(table, QStringLiteral("download"));
    const QString text = CsvFile::text(table);
    if (m_opt.output.isEmpty()) {
        if (!writeAll(stdout, Win1252::encode(text)))
            return CliOptions::kFile;
    } else if (QString reason; !mFileRWLite::FileWrite(m_opt.output, text, &reason)) {
        error(tr("cannot write %1: %2").arg(m_opt.output, reason));
        return CliOptions::kFile;
    }
    closeProgress(TransferWords::closing(Ending(Command::Download, {}, table.size())));
    return CliOptions::kDone;
}

int CliRunner::upload()
{
    // Channels beyond the file's lines are left as they are, and a file
    // without a channel line has nothing to send.
    MemoryTable file;
    if (!loadFile(file, MemoryFile::Count::FileLines))
        return CliOptions::kFile;
    if (m_fileLines == 0) {
        error(tr("nothing sent: %1 has no channel lines").arg(m_opt.file));
        return CliOptions::kDone;
    }
    if (!openPort())
        return CliOptions::kLink;
    if (m_opt.changed) {
        bool tooLong = false;
        const ReceiverSession::ChangedUpload up = m_session.uploadChanged(
            file, m_fileLines, [&](const MemoryTable &receiver, const QList<int> &numbers) {
                backup(receiver, QStringLiteral("download"));
                tooLong = m_fileLines > receiver.size();
                if (tooLong) {
                    error(tr("%1 has %n channel(s), the receiver %2", nullptr, m_fileLines)
                              .arg(m_opt.file, QString::number(receiver.size())));
                    return false;
                }
                if (m_interrupted)
                    return false;
                if (!numbers.isEmpty())
                    backup(file, QStringLiteral("upload"));
                m_sending = true;
                return true;
            });
        m_sending = false;
        if (tooLong)
            return CliOptions::kFile;
        if (const int status
            = finished(Ending(Command::UploadChanged, up.outcome, static_cast<int>(up.sent.size()))))
            return status;
    } else {
        QList<int> numbers;
        for (int n = 1; n <= m_fileLines; ++n)
            numbers << n;
        backup(file, QStringLiteral("upload"));
        m_sending = true;
        const TransferEngine::Outcome o = m_engine->SendData(file, numbers);
        m_sending = false;
        if (const int status = finished(Ending(Command::Upload, o, static_cast<int>(numbers.size()))))
            return status;
    }
    if (!m_opt.verify)
        return CliOptions::kDone;

    MemoryTable after;
    if (const int status = fetch(after))
        return status;
    int differing = 0;
    for (int n = 1; n <= m_fileLines; ++n) {
        const bool held = n <= after.size();
        if (held && EntryCommand::sameOnReceiver(file.entry(n), after.entry(n), after.limits()))
            continue;
        ++differing;
        print(tr("channel %1 differs: file \"%2\", receiver \"%3\"")
                  .arg(n)
                  .arg(channelText(file, n), held ? channelText(after, n) : tr("(none)")));
    }
    if (differing)
        return CliOptions::kMismatch;
    print(tr("verified: all %n channel(s) as in %1", nullptr, m_fileLines).arg(m_opt.file));
    return CliOptions::kDone;
}

int CliRunner::update()
{
    MemoryTable file;
    if (!loadFile(file, MemoryFile::Count::FileLines))
        return CliOptions::kFile;
    if (m_opt.channel > file.size()) {
        error(tr("channel %1 is beyond the %n channel(s) of %2", nullptr, file.size())
                  .arg(QString::number(m_opt.channel), m_opt.file));
        return CliOptions::kUsage;
    }
    if (!openPort())
        return CliOptions::kLink;
    return finished(Ending(Command::Update, m_engine->SendEntry(file, m_opt.channel)));
}

int CliRunner::sync()
{
    if (!openPort())
        return CliOptions::kLink;
    const QTime now = Clock::now().time();
    return finished(Ending(Command::Sync, m_engine->SyncDate(now), 0, now));
}

int CliRunner::show()
{
    MemoryTable table;
    if (!loadFile(table, MemoryFile::Count::AtLeastTable))
        return CliOptions::kFile;
    for (int n = 1; n <= table.size(); ++n)
        print(LineFormat::listLine(table.entry(n), n, table.size()));
    return CliOptions::kDone;
}
