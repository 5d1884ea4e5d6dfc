// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryTable.h"

#include <QMap>
#include <QUndoCommand>

class frmMain;

// One change of the memory list made in the window, for the undo history.
// Undoing or redoing gives back the table and the list lines exactly and
// selects the line of the change. The change itself is made by the window
// before the step is pushed, so the first redo does nothing.
//
// Only what a change touched is kept: an entry, a pair of positions, the
// entry that fell out; the whole-table changes (load, download) keep one copy
// of the old table. Lines a rebuild would show differently (applied or
// cleared lines) are kept beside it.
class ListStep : public QUndoCommand
{
public:
    using Lines = QMap<int, QString>;   // list position -> text

    static ListStep *apply(frmMain *w, int n, const MemoryEntry &before, const QString &lineBefore);
    static ListStep *move(frmMain *w, int n, bool up);
    static ListStep *insert(frmMain *w, int n, const MemoryEntry &fallenOut, const Lines &linesBefore);
    static ListStep *remove(frmMain *w, int n, const MemoryEntry &removed, const Lines &linesBefore);
    static ListStep *whole(frmMain *w, const QString &text, const MemoryTable &before,
                           const Lines &linesBefore);

    void undo() override;
    void redo() override;

private:
    enum class Kind { Apply, Move, Insert, Remove, Whole };
    ListStep(frmMain *w, Kind kind, int n, const QString &text);
    void swapPair();
    void swapEntry();
    void select(int position);

    frmMain *m_w;
    Kind m_kind;
    int m_n;                 // entry of the change (Move: the upper of the pair)
    bool m_up = false;       // Move: the entry went up
    bool m_done = true;      // made by the window already
    MemoryEntry m_entry;     // Apply: the other version; Insert/Remove: the entry out
    QString m_line;          // Apply: the other version of the line
    Lines m_lines;           // the list's odd lines before the change
    MemoryTable m_table;     // Whole: the other version of the table
};
