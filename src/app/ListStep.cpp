// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListStep.h"

#include "frmMain.h"
#include "memlist/LineFormat.h"

#include <utility>

ListStep::ListStep(frmMain *w, Kind kind, int n, const QString &text)
    : QUndoCommand(text), m_w(w), m_kind(kind), m_n(n)
{
}

ListStep *ListStep::apply(frmMain *w, int n, const MemoryEntry &before, const QString &lineBefore)
{
    auto *s = new ListStep(w, Kind::Apply, n, QStringLiteral("Apply channel %1").arg(n));
    s->m_entry = before;
    s->m_line = lineBefore;
    return s;
}

ListStep *ListStep::move(frmMain *w, int n, bool up)
{
    auto *s = new ListStep(w, Kind::Move, up ? n - 1 : n,
                           QStringLiteral("Move channel %1 %2").arg(n).arg(up ? QStringLiteral("up") : QStringLiteral("down")));
    s->m_up = up;
    return s;
}

ListStep *ListStep::insert(frmMain *w, int n, const MemoryEntry &fallenOut, const Lines &linesBefore)
{
    auto *s = new ListStep(w, Kind::Insert, n, QStringLiteral("Insert channel %1").arg(n));
    s->m_entry = fallenOut;
    s->m_lines = linesBefore;
    return s;
}

ListStep *ListStep::remove(frmMain *w, int n, const MemoryEntry &removed, const Lines &linesBefore)
{
    auto *s = new ListStep(w, Kind::Remove, n, QStringLiteral("Delete channel %1").arg(n));
    s->m_entry = removed;
    s->m_lines = linesBefore;
    return s;
}

ListStep *ListStep::whole(frmMain *w, const QString &text, const MemoryTable &before,
                          const Lines &linesBefore)
{
    auto *s = new ListStep(w, Kind::Whole, 0, text);
    s->m_table = before;
    s->m_lines = linesBefore;
    return s;
}

void ListStep::select(int position)
{
    m_w->selectPosition(position);
    m_w->lList_Click();
}

void ListStep::swapPair()
{
    MemoryTable &t = m_w->m_table;
    t.swapEntries(m_n, m_n + 1);
    QString upper = m_w->lineText(m_n - 1);
    QString lower = m_w->lineText(m_n);
    LineFormat::swapDataParts(upper, lower, LineFormat::splitPosition(m_w->lineText(0)));
    m_w->setLine(m_n - 1, upper);
    m_w->setLine(m_n, lower);
}

// Apply keeps the other version of the entry and its line: undo and redo
// both exchange them with what the window shows.
void ListStep::swapEntry()
{
    const QString line = m_w->lineText(m_n - 1);
    std::swap(m_w->m_table.entry(m_n), m_entry);
    m_w->setLine(m_n - 1, m_line);
    m_line = line;
    select(m_n - 1);
}

void ListStep::redo()
{
    if (std::exchange(m_done, false))
        return;
    MemoryTable &t = m_w->m_table;
    switch (m_kind) {
    case Kind::Apply:
        swapEntry();
        break;
    case Kind::Move:
        swapPair();
        select(m_up ? m_n - 1 : m_n);
        break;
    case Kind::Insert:
        t.insertEmptyAt(m_n);
        m_w->RefreshList(true);
        select(qMin(m_n, t.size() - 1));
        break;
    case Kind::Remove:
        t.deleteAt(m_n);
        m_w->RefreshList(true);
        select(m_n - 1);
        break;
    case Kind::Whole:
        std::swap(t, m_table);
        m_w->RefreshList(true);
        select(0);
        break;
    }
}

void ListStep::undo()
{
    MemoryTable &t = m_w->m_table;
    switch (m_kind) {
    case Kind::Apply:
        swapEntry();
        return;
    case Kind::Move:
        swapPair();
        select(m_up ? m_n : m_n - 1);
        return;
    case Kind::Insert:
        t.deleteAt(m_n);
        t.entry(t.size()) = m_entry;
        break;
    case Kind::Remove:
        t.insertEmptyAt(m_n);
        t.entry(m_n) = m_entry;
        break;
    case Kind::Whole:
        std::swap(t, m_table);
        break;
    }
    m_w->showLines(m_lines);
    select(m_kind == Kind::Whole ? 0 : m_n - 1);
}
