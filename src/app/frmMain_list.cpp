// SPDX-License-Identifier: GPL-3.0-or-later
// The list operations of the main window: moves, insert and delete, sorting,
// the clipboard, the undo history and the list's menus. Every change is an
// undo step that changes the table through the list model.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "ListSteps.h"
#include "MemoryListModel.h"
#include "files/CsvFile.h"
#include "memlist/ListOrder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>

using namespace ListSteps;

void frmMain::showRow(int row)
{
    selectPosition(row);
    lList_Click();
}

bool frmMain::listIdle() const
{
    return !m_transfer && !m_rebuilding;
}

void frmMain::pushStep(QUndoCommand *step)
{
    m_undo->push(step);
}

void frmMain::markClean()
{
    m_undo->setClean();
    m_list->setCleanTable(table());
}

// ---------------------------------------------------------- list operations

void frmMain::cUp_Click()
{
    const int s = selectedPosition();
    if (!listIdle() || s <= 0) {
        m_dialogs->beep();
        return;
    }
    pushStep(new MoveStep(m_list, [this](int row) { showRow(row); }, s + 1, s,
                          tr("Move channel %1 up").arg(s + 1)));
}

void frmMain::cDn_Click()
{
    const int s = selectedPosition();
    if (!listIdle() || s < 0 || s >= m_list->rowCount() - 1) {
        m_dialogs->beep();
        return;
    }
    pushStep(new MoveStep(m_list, [this](int row) { showRow(row); }, s + 1, s + 2,
                          tr("Move channel %1 down").arg(s + 1)));
}

void frmMain::moveChannel(int from, int to)
{
    const int size = table().size();
    if (!listIdle() || from == to || from < 1 || to < 1 || from > size || to > size) {
        m_dialogs->beep();
        return;
    }
    pushStep(new MoveStep(m_list, [this](int row) { showRow(row); }, from, to,
                          tr("Move channel %1 to %2").arg(from).arg(to)));
}

void frmMain::cIns_Click()
{
    const int s = selectedPosition();
    if (!listIdle() || s < 0 || s >= table().size()) {
        m_dialogs->beep();
        return;
    }
    pushStep(new ShiftStep(m_list, [this](int row) { showRow(row); }, ShiftStep::Kind::Insert, s + 1));
}

void frmMain::cDel_Click()
{
    const int s = selectedPosition();
    if (!listIdle() || s < 0 || s >= table().size()) {
        m_dialogs->beep();
        return;
    }
    pushStep(new ShiftStep(m_list, [this](int row) { showRow(row); }, ShiftStep::Kind::Delete, s + 1));
}

// The selected channel follows the list into its new order.
void frmMain::reorder(const QString &what, const QList<int> &order)
{
    if (!listIdle() || ListOrder::isUnchanged(order))
        return;
    const int s = qMax(0, selectedPosition());
    pushStep(new EntriesStep(m_list, [this](int row) { showRow(row); }, what,
                             ListOrder::applied(table().entries(), order), qMax(0, int(order.indexOf(s))), s));
}

void frmMain::sortByFrequency()
{
    reorder(tr("Sort by frequency"), ListOrder::byFrequency(table().entries()));
}

void frmMain::sortByName()
{
    reorder(tr("Sort by name"), ListOrder::byName(table().entries()));
}

void frmMain::moveEmptiesToEnd()
{
    reorder(tr("Move empty channels to the end"), ListOrder::emptiesLast(table().entries()));
}

// ---------------------------------------------------------------- clipboard

void frmMain::copyChannel()
{
    const int s = selectedPosition();
    if (s < 0 || s >= table().size()) {
        m_dialogs->beep();
        return;
    }
    QGuiApplication::clipboard()->setText(CsvFile::channelLines({table().entry(s + 1)}));
}

void frmMain::cutChannel()
{
    if (!listIdle() || selectedPosition() < 0) {
        m_dialogs->beep();
        return;
    }
    copyChannel();
    cDel_Click();
}

void frmMain::copyAllChannels()
{
    QGuiApplication::clipboard()->setText(CsvFile::text(table()));
}

// What does not fit before the end of the list, or would not load, changes nothing.
void frmMain::pasteChannels()
{
    const int s = selectedPosition();
    const CsvFile::LoadResult r = CsvFile::parseChannels(QGuiApplication::clipboard()->text(), table().limits());
    if (!listIdle() || s < 0 || r.status != CsvFile::LoadStatus::Ok || s + r.entries.size() > table().size()) {
        m_dialogs->beep();
        return;
    }
    QVector<MemoryEntry> entries = table().entries();
    std::copy(r.entries.cbegin(), r.entries.cend(), entries.begin() + s);
    const QString what = r.entries.size() == 1 ? tr("Paste 1 channel")
                                               : tr("Paste %1 channels").arg(r.entries.size());
    pushStep(new EntriesStep(m_list, [this](int row) { showRow(row); }, what, entries, s, s));
}

bool frmMain::clipboardKey(QKeyEvent *e)
{
    if (e->matches(QKeySequence::Copy))
        copyChannel();
    else if (e->matches(QKeySequence::Cut))
        cutChannel();
    else if (e->matches(QKeySequence::Paste))
        pasteChannels();
    else
        return false;
    return true;
}

// ------------------------------------------------------------- undo history

void frmMain::undoStep()
{
    // Never while the list is being sent or rebuilt.
    if (!listIdle() || !m_undo->canUndo())
        return;
    m_undo->undo();
}

void frmMain::redoStep()
{
    if (!listIdle() || !m_undo->canRedo())
        return;
    m_undo->redo();
}

bool frmMain::undoKey(QKeyEvent *e)
{
    const QKeyCombination k = e->keyCombination();
    if (k == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)) {
        undoStep();
        return true;
    }
    if (k == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)
        || k == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
        redoStep();
        return true;
    }
    return false;
}

// -------------------------------------------------------------------- menus

void frmMain::addListActions(QMenu *menu)
{
    const bool idle = listIdle();
    QAction *undo = menu->addAction(
        m_undo->canUndo() ? tr("Undo %1").arg(m_undo->undoText()) : tr("Undo"), this,
        &frmMain::undoStep);
    undo->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
    undo->setEnabled(idle && m_undo->canUndo());
    QAction *redo = menu->addAction(
        m_undo->canRedo() ? tr("Redo %1").arg(m_undo->redoText()) : tr("Redo"), this,
        &frmMain::redoStep);
    redo->setShortcut(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z));
    redo->setEnabled(idle && m_undo->canRedo());
    menu->addSeparator();
    for (QAction *a : {menu->addAction(tr("Sort by frequency"), this, &frmMain::sortByFrequency),
                       menu->addAction(tr("Sort by name"), this, &frmMain::sortByName),
                       menu->addAction(tr("Move empty channels to the end"), this, &frmMain::moveEmptiesToEnd)})
        a->setEnabled(idle);
    menu->addSeparator();
    menu->addAction(tr("Copy all channels"), this, &frmMain::copyAllChannels);
}

// Started after the menu has closed: a transfer runs for seconds and may
// show messages.
void frmMain::addUploadChanged(QMenu *menu)
{
    QAction *changed = menu->addAction(tr("Upload changed channels (%1)").arg(m_list->changedCount()));
    changed->setEnabled(listIdle() && connected());
    connect(changed, &QAction::triggered, this,
            [this] { QTimer::singleShot(0, this, &frmMain::uploadChangedChannels); });
}

void frmMain::uploadMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("uploadMenu"));
    addUploadChanged(&menu);
    menu.exec(m_ui->cUL->mapToGlobal(at));
}

void frmMain::listMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("listMenu"));
    addListActions(&menu);
    menu.addSeparator();
    addUploadChanged(&menu);
    menu.exec(m_ui->lList->viewport()->mapToGlobal(at));
}
