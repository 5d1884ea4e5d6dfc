// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/Bands.h"
#include "memlist/MemoryEntry.h"
#include "memlist/MemoryTable.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The ";"-separated memory file: a header line, then one line per entry, every
// line ended by CR LF, one byte per character through Windows-1252.
namespace CsvFile {

extern const QString kHeader;         // the header line written
extern const QString kHeaderPrefix;   // what a loadable header begins with
QString errorTitle();      // title of the load failure messages
QString notCompatible();   // message for a foreign header

// One entry as the five fields of its line, and as the line without its end.
QStringList entryFields(const MemoryEntry &e);
QString entryLine(const MemoryEntry &e);

// The whole file of a table: header and every entry of the table.
QString text(const MemoryTable &table);

enum class LoadStatus {
    Ignored,        // no CR LF at all: nothing to load, the caller only redraws
    NotCompatible,  // header does not begin with "Freq(KHz)"
    Invalid,        // a data line was refused; message names the line and why
    Ok,             // entries holds the complete new table
};

struct LoadResult {
    LoadStatus status = LoadStatus::Ignored;
    QString message;               // the message box text for a refusal
    QVector<MemoryEntry> entries;  // sized to the memory count, only on Ok
    int namesCut = 0;              // names longer than the name field, cut to it
};

// Read a file's text into a new table of memoryCount entries. The caller
// replaces its table only on Ok, so a broken file never half-replaces it.
LoadResult parse(const QString &text, qint16 memoryCount, const Bands::Limits &limits);

// Lines after the header: the channels of the list the file was saved from.
int dataLines(const QString &text);

// Channels as the clipboard carries them: the data lines Save writes, each
// ended by CR LF, after the header line when asked.
QString channelLines(const QVector<MemoryEntry> &entries, bool withHeader = false);

// The same channels as an HTML table of the five columns, so a spreadsheet or a
// word processor pastes them as cells; the header as a row of its own when asked.
QString channelTable(const QVector<MemoryEntry> &entries, bool withHeader);

// Channels pasted in: each line by the load rules, its fields separated by
// ";" or, as a spreadsheet copies them, by tabs; a header line first is
// skipped, lines may end in LF or CR LF. What Windows-1252 cannot hold becomes
// "?", as on Save. Ok with one entry a line (an empty line, or one of empty
// cells, an empty channel), Invalid with the message of the first refused
// line, Ignored when there is no line at all.
LoadResult parseChannels(const QString &text, const Bands::Limits &limits);

} // namespace CsvFile
