// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MemoryListModel.h"

#include <QList>
#include <QUndoCommand>
#include <QVector>

#include <functional>

// The undo steps of the memory list. Each changes the table through the
// model, gives back exactly the table and the lines that were there before
// it (the lines Apply and Clear wrote included), and then shows the line of
// the change: selects it and loads it into the editor.
namespace ListSteps {

using Show = std::function<void(int row)>;

// One step's model and where it shows its change.
class Step : public QUndoCommand
{
protected:
    Step(MemoryListModel *model, Show show, const QString &text);
    MemoryListModel *m_model;
    Show m_show;
};

// Apply: one entry and its line as the editor wrote them.
class ApplyStep : public Step
{
public:
    ApplyStep(MemoryListModel *model, Show show, int n, const MemoryEntry &entry, const QString &line);
    void redo() override;
    void undo() override;

private:
    void exchange();
    int m_n;
    MemoryEntry m_entry;   // the other version
    QString m_line;
    bool m_first = true;   // Apply leaves the editor as it is
};

// Up, Down, and a channel dragged to another line.
class MoveStep : public Step
{
public:
    MoveStep(MemoryListModel *model, Show show, int from, int to, const QString &text);
    void redo() override;
    void undo() override;

private:
    int m_from;
    int m_to;
};

// Insert (the last entry falls out) and Delete (an empty one comes in).
class ShiftStep : public Step
{
public:
    enum class Kind { Insert, Delete };
    ShiftStep(MemoryListModel *model, Show show, Kind kind, int n);
    void redo() override;
    void undo() override;

private:
    Kind m_kind;
    int m_n;
    MemoryEntry m_out;   // the entry that fell out or was deleted
    MemoryListModel::Lines m_lines;
};

// The entries rewritten: a paste, a sort.
class EntriesStep : public Step
{
public:
    // rowAfter and rowBefore: the line each side shows.
    EntriesStep(MemoryListModel *model, Show show, const QString &text, const QVector<MemoryEntry> &after,
                int rowAfter, int rowBefore);
    void redo() override;
    void undo() override;

private:
    QVector<MemoryEntry> m_before;
    QVector<MemoryEntry> m_after;
    MemoryListModel::Lines m_lines;
    int m_rowAfter;
    int m_rowBefore;
};

// A whole new table (load, download), made by the window before the step
// is pushed: the first redo does nothing.
class TableStep : public Step
{
public:
    TableStep(MemoryListModel *model, Show show, const QString &text, const MemoryTable &before,
              const MemoryListModel::Lines &linesBefore);
    void redo() override;
    void undo() override;

private:
    void exchange();
    bool m_done = true;
    MemoryTable m_table;   // the other version
    MemoryListModel::Lines m_lines;
};

} // namespace ListSteps
