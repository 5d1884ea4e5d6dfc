// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListSteps.h"
#include "memlist/MemoryTable.h"

#include <QObject>

class CommandState;
class Commands;
class Dialogs;
class ListEditor;
class MemoryListModel;
class NoticeLine;
class QMenu;
class QUndoCommand;
class QUndoStack;
namespace Ui {
class frmMain;
}

// The memory list: how it is shown and rebuilt, the editor beside it, and
// the commands that organise it: moves, insert and delete, sorting, the
// clipboard and the undo history. Every change is an undo step that changes
// the table through the list model.
class ListPart : public QObject
{
    Q_OBJECT

public:
    ListPart(Ui::frmMain *ui, MemoryListModel *model, QUndoStack *undo, Commands *commands, CommandState *state,
             Dialogs *dialogs, NoticeLine *notice, QObject *parent = nullptr);

    ListEditor *editor() const { return m_editor; }

    void ClearList();
    void NewList();
    void RefreshList(bool silent);

    // Each works on the selected channels (a block, gaps kept) as one step.
    void cUp_Click();
    void cDn_Click();
    void cIns_Click();
    void cDel_Click();
    // Channels dragged to another line (rows from 0): the line held lands
    // there, as by that many Ups or Downs.
    void dropChannels(const QList<int> &rows, int to);
    // Bandwidth and stereo of the selected channels, asked for first.
    void editSelected();
    void sortByFrequency();
    void sortByName();
    void moveEmptiesToEnd();
    // The clipboard holds channels as Save writes them, and as a table for
    // spreadsheets: the selected ones, or the whole list with its header; a
    // paste writes from the selected channel on.
    void copyChannel();
    void cutChannel();
    void copyAllChannels();
    void pasteChannels();

    // A whole new list, read from a file or received, shown line by line as
    // one undo step; afterwards it is the list the changes are measured against.
    void takeTable(const MemoryTable &table, const QString &stepText);
    // The table shown again as it is, from its first line.
    void showAgain();

private:
    void pushStep(QUndoCommand *step);
    void putOnClipboard(const QVector<MemoryEntry> &channels, bool withHeader = false);
    void pushMove(const QList<int> &rows, const QList<int> &order, const QString &text);
    QList<int> selectedRowsOrBeep();
    void reorder(const QString &what, const QList<int> &order);
    void showMenu(const QPoint &at);
    void updateUndoTexts();

    Ui::frmMain *m_ui;
    MemoryListModel *m_model;
    QUndoStack *m_undo;
    Commands *m_commands;
    CommandState *m_state;
    Dialogs *m_dialogs;
    NoticeLine *m_notice;
    ListEditor *m_editor;
    const ListSteps::Show m_show;   // how an undo step shows its change
};
