// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListSteps.h"

#include "memlist/ListOrder.h"

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

OrderStep::OrderStep(MemoryListModel *model, Show show, const QString &text, const QList<int> &order,
                     const Selection &after, const Selection &before)
    : Step(model, std::move(show), text), m_order(order), m_after(after), m_before(before)
{
}

void OrderStep::redo()
{
    m_model->reorder(m_order);
    m_show(m_after);
}

void OrderStep::undo()
{
    m_model->reorder(ListOrder::inverted(m_order));
    m_show(m_before);
}

// ------------------------------------------- paste, sort, insert, delete, edit

EntriesStep::EntriesStep(MemoryListModel *model, Show show, const QString &text,
                         const QVector<MemoryEntry> &after, const Selection &shownAfter,
                         const Selection &shownBefore)
    : Step(model, std::move(show), text), m_before(model->table().entries()), m_after(after),
      m_lines(model->writtenLines()), m_shownAfter(shownAfter), m_shownBefore(shownBefore)
{
}

void EntriesStep::redo()
{
    m_model->setEntries(m_after);
    m_model->showAll();
    m_show(m_shownAfter);
}

void EntriesStep::undo()
{
    m_model->setEntries(m_before);
    m_model->showAll();
    m_model->setWrittenLines(m_lines);
    m_show(m_shownBefore);
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
