// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MemoryListModel.h"

#include <QList>
#include <QUndoCommand>
#include <QVector>

#include <functional>

// The undo steps of the memory list. Each changes the table through the
// model, gives back exactly the table and the lines that were there before
// it (the lines Apply and Clear wrote included), and then shows the change:
// selects its lines and loads the current one into the editor.
namespace ListSteps {

// The lines selected, and the one the keyboard is on (the editor shows it).
struct Selection {
    // Not explicit: most steps show one line.
    Selection(int row) : rows{row}, current(row) {}
    Selection(const QList<int> &selected, int at) : rows(selected), current(at) {}
    QList<int> rows;
    int current;
};

using Show = std::function<void(const Selection &)>;

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

// Up, Down and a drag: the channels in another order, their lines with them.
class OrderStep : public Step
{
public:
    // order: the old rows in their new order.
    OrderStep(MemoryListModel *model, Show show, const QString &text, const QList<int> &order,
              const Selection &after, const Selection &before);
    void redo() override;
    void undo() override;

private:
    QList<int> m_order;
    Selection m_after;
    Selection m_before;
};

// The entries rewritten, the lines rebuilt: a paste, a sort, Insert (the
// last ones fall out), Delete (empty ones come in), an edit of several.
class EntriesStep : public Step
{
public:
    // shownAfter and shownBefore: the lines each side selects.
    EntriesStep(MemoryListModel *model, Show show, const QString &text, const QVector<MemoryEntry> &after,
                const Selection &shownAfter, const Selection &shownBefore);
    void redo() override;
    void undo() override;

private:
    QVector<MemoryEntry> m_before;
    QVector<MemoryEntry> m_after;
    MemoryListModel::Lines m_lines;
    Selection m_shownAfter;
    Selection m_shownBefore;
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
