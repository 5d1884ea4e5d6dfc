// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListSteps.h"

#include <QCoreApplication>

#include <utility>

namespace ListSteps {

Step::Step(MemoryListModel *model, Show show, const QString &text)
    : QUndoCommand(text), m_model(model), m_show(std::move(show))
{
}

// ------------------------------------------------------------------- apply

ApplyStep::ApplyStep(MemoryListModel *model, Show show, int n, const MemoryEntry &entry, const QString &line)
    : Step(model, std::move(show), QCoreApplication::translate("ListSteps", "Apply channel %1").arg(n)), m_n(n), m_entry(entry), m_line(line)
{
}

// Both ways exchange the entry and its line with the other version.
void ApplyStep::exchange()
{
    const MemoryEntry entry = m_model->table().entry(m_n);
    const QString line = m_model->line(m_n - 1);
    m_model->setEntry(m_n, m_entry);
    m_model->setLine(m_n - 1, m_line);
    m_entry = entry;
    m_line = line;
}

void ApplyStep::redo()
{
    exchange();
    if (!std::exchange(m_first, false))
        m_show(m_n - 1);
}

void ApplyStep::undo()
{
    exchange();
    m_show(m_n - 1);
}

// -------------------------------------------------------------------- move

MoveStep::MoveStep(MemoryListModel *model, Show show, int from, int to, const QString &text)
    : Step(model, std::move(show), text), m_from(from), m_to(to)
{
}

void MoveStep::redo()
{
    m_model->moveEntry(m_from, m_to);
    m_show(m_to - 1);
}

void MoveStep::undo()
{
    m_model->moveEntry(m_to, m_from);
    m_show(m_from - 1);
}

// ------------------------------------------------------------ insert, delete

ShiftStep::ShiftStep(MemoryListModel *model, Show show, Kind kind, int n)
    : Step(model, std::move(show),
           (kind == Kind::Insert ? QCoreApplication::translate("ListSteps", "Insert channel %1")
                                  : QCoreApplication::translate("ListSteps", "Delete channel %1")).arg(n)),
      m_kind(kind), m_n(n),
      m_out(model->table().entry(kind == Kind::Insert ? model->table().size() : n)),
      m_lines(model->writtenLines())
{
}

void ShiftStep::redo()
{
    const int size = m_model->table().size();
    if (m_kind == Kind::Insert)
        m_model->insertEmptyAt(m_n);
    else
        m_model->deleteAt(m_n);
    m_model->showAll();
    // Insert on the last line empties it in place.
    m_show(m_kind == Kind::Insert ? qMin(m_n, size - 1) : m_n - 1);
}

void ShiftStep::undo()
{
    if (m_kind == Kind::Insert) {
        m_model->deleteAt(m_n);
        m_model->setEntry(m_model->table().size(), m_out);
    } else {
        m_model->insertEmptyAt(m_n);
        m_model->setEntry(m_n, m_out);
    }
    m_model->showAll();
    m_model->setWrittenLines(m_lines);
    m_show(m_n - 1);
}

// ------------------------------------------------------------ paste, sort

EntriesStep::EntriesStep(MemoryListModel *model, Show show, const QString &text,
                         const QVector<MemoryEntry> &after, int rowAfter, int rowBefore)
    : Step(model, std::move(show), text), m_before(model->table().entries()), m_after(after),
      m_lines(model->writtenLines()), m_rowAfter(rowAfter), m_rowBefore(rowBefore)
{
}

void EntriesStep::redo()
{
    m_model->setEntries(m_after);
    m_model->showAll();
    m_show(m_rowAfter);
}

void EntriesStep::undo()
{
    m_model->setEntries(m_before);
    m_model->showAll();
    m_model->setWrittenLines(m_lines);
    m_show(m_rowBefore);
}

// ------------------------------------------------------------ load, download

TableStep::TableStep(MemoryListModel *model, Show show, const QString &text, const MemoryTable &before,
                     const MemoryListModel::Lines &linesBefore)
    : Step(model, std::move(show), text), m_table(before), m_lines(linesBefore)
{
}

void TableStep::exchange()
{
    const MemoryTable table = m_model->table();
    m_model->setTable(m_table);
    m_model->showAll();
    m_table = table;
}

void TableStep::redo()
{
    if (std::exchange(m_done, false))
        return;
    // The lines the rebuild wrote were the table's own.
    exchange();
    m_show(0);
}

void TableStep::undo()
{
    exchange();
    m_model->setWrittenLines(m_lines);
    m_show(0);
}

} // namespace ListSteps
