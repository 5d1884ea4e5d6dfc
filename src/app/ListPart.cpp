// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListPart.h"

#include "ui_frmMain.h"

#include "CommandState.h"
#include "Commands.h"
#include "Dialogs.h"
#include "ListEditor.h"
#include "ListFind.h"
#include "FocusKeeper.h"
#include "ListSteps.h"
#include "MemoryListModel.h"
#include "NoticeLine.h"
#include "PaintPacer.h"
#include "files/CsvFile.h"
#include "memlist/BulkEdit.h"
#include "memlist/ListOrder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>
#include <QUndoStack>

using namespace ListSteps;

ListPart::ListPart(Ui::frmMain *ui, MemoryListModel *model, QUndoStack *undo, Commands *commands, CommandState *state,
                   Dialogs *dialogs, NoticeLine *notice, QObject *parent)
    : QObject(parent), m_ui(ui), m_model(model), m_undo(undo), m_commands(commands), m_state(state),
      m_dialogs(dialogs), m_notice(notice), m_editor(new ListEditor(ui, model, undo, state, dialogs, this)),
      m_show([editor = m_editor](const Selection &s) { editor->showRows(s.rows, s.current); })
{
    auto *find = new ListFind(ui, model, state, dialogs, m_editor, this); // finding a station, beside the editor
    const Commands &c = *commands;
    connect(c[Commands::Find], &QAction::triggered, find, &ListFind::open);
    connect(c[Commands::FindNext], &QAction::triggered, find, &ListFind::findNext);
    connect(c[Commands::FindPrevious], &QAction::triggered, find, &ListFind::findPrevious);
    // Enter in the find field is Find next, and waits as that command does.
    connect(ui->tFind, &QLineEdit::returnPressed, c[Commands::FindNext], &QAction::trigger);
    connect(c[Commands::Apply], &QAction::triggered, m_editor, &ListEditor::cAply_Click);
    connect(m_editor, &ListEditor::applyKey, c[Commands::Apply], &QAction::trigger);
    connect(c[Commands::Clear], &QAction::triggered, m_editor, &ListEditor::cClr_Click);
    connect(c[Commands::Up], &QAction::triggered, this, &ListPart::cUp_Click);
    connect(c[Commands::Down], &QAction::triggered, this, &ListPart::cDn_Click);
    connect(c[Commands::Insert], &QAction::triggered, this, &ListPart::cIns_Click);
    connect(c[Commands::Delete], &QAction::triggered, this, &ListPart::cDel_Click);
    connect(c[Commands::SortByFrequency], &QAction::triggered, this, &ListPart::sortByFrequency);
    connect(c[Commands::SortByName], &QAction::triggered, this, &ListPart::sortByName);
    connect(c[Commands::EmptiesLast], &QAction::triggered, this, &ListPart::moveEmptiesToEnd);
    connect(c[Commands::EditSelected], &QAction::triggered, this, &ListPart::editSelected);
    connect(c[Commands::Copy], &QAction::triggered, this, &ListPart::copyChannel);
    connect(c[Commands::Cut], &QAction::triggered, this, &ListPart::cutChannel);
    connect(c[Commands::Paste], &QAction::triggered, this, &ListPart::pasteChannels);
    connect(c[Commands::CopyAll], &QAction::triggered, this, &ListPart::copyAllChannels);
    connect(c[Commands::Undo], &QAction::triggered, m_undo, &QUndoStack::undo);
    connect(c[Commands::Redo], &QAction::triggered, m_undo, &QUndoStack::redo);
    connect(m_undo, &QUndoStack::indexChanged, this, &ListPart::updateUndoTexts);
    connect(m_model, &MemoryListModel::moveRequested, this, &ListPart::dropChannels);
    // A channel is dragged only while commands run.
    connect(m_state, &CommandState::changed, this, [this] { m_model->setMovable(m_state->idle()); });
    m_ui->lList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->lList, &QWidget::customContextMenuRequested, this, &ListPart::showMenu);
}

void ListPart::pushStep(QUndoCommand *step)
{
    m_undo->push(step);
}

// ------------------------------------------------------------------ the view

void ListPart::ClearList()
{
    m_ui->lList->setEnabled(false);
    m_model->clearTable();
    m_model->showAll();
    m_editor->selectPosition(0);
    m_ui->lList->setEnabled(true);
}

void ListPart::NewList()
{
    // The table comes with its entries built; what is left is to show it.
    m_ui->lList->setEnabled(false);
    RefreshList(false);
    m_ui->lList->setEnabled(true);
}

void ListPart::RefreshList(bool silent)
{
    const int count = m_model->table().size();
    if (silent) {
        // The caller selects the line it wants: one reload of the editor.
        QSignalBlocker block(m_ui->lList->selectionModel());
        m_model->showAll();
        m_ui->lList->setCurrentIndex(QModelIndex());
        return;
    }
    // The list fills line by line and the editor follows. Events run after
    // every line; the window is painted at most once a frame, as painting
    // the list for each line would cost far more than the line itself. No
    // command runs meanwhile, so none can act on a list half built.
    FocusKeeper focus;
    focus.hold();
    {
        const CommandState::Rebuild rebuild(m_state);
        focus.moved();
        PaintPacer pacer(m_ui->lList->window());
        m_model->startRows();
        for (int n = 1; n <= count; ++n) {
            m_model->addRow();
            m_editor->selectPosition(n - 1);
            pacer.step();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        if (count > 0)
            m_editor->selectPosition(0);
    }
    focus.giveBack();
}

void ListPart::takeTable(const MemoryTable &table, const QString &stepText)
{
    const MemoryTable before = m_model->table();
    const MemoryListModel::Lines lines = m_model->writtenLines();
    m_model->setTable(table);
    NewList();
    pushStep(new TableStep(m_model, m_show, stepText, before, lines));
    m_model->markClean();
}

void ListPart::showAgain()
{
    RefreshList(true);
    m_editor->selectPosition(0);
}

// ---------------------------------------------------------- list operations

void ListPart::cUp_Click()
{
    const QList<int> rows = m_editor->selectedRows();
    pushMove(rows, ListOrder::blockMoved(m_model->table().size(), rows, -1),
             rows.size() == 1 ? tr("Move channel %1 up").arg(rows.first() + 1)
                              : tr("Move %n channel(s) up", nullptr, int(rows.size())));
}

void ListPart::cDn_Click()
{
    const QList<int> rows = m_editor->selectedRows();
    pushMove(rows, ListOrder::blockMoved(m_model->table().size(), rows, 1),
             rows.size() == 1 ? tr("Move channel %1 down").arg(rows.first() + 1)
                              : tr("Move %n channel(s) down", nullptr, int(rows.size())));
}

void ListPart::dropChannels(const QList<int> &rows, int to)
{
    const int current = m_editor->selectedPosition();
    const int held = rows.contains(current) ? current : rows.value(0);
    const QList<int> order = ListOrder::blockMoved(m_model->table().size(), rows, to - held);
    pushMove(rows, order,
             rows.size() == 1 ? tr("Move channel %1 to %2").arg(held + 1).arg(order.indexOf(held) + 1)
                              : tr("Move %n channel(s) to %1", nullptr, int(rows.size()))
                                    .arg(order.indexOf(rows.value(0)) + 1));
}

// The selection moves with the channels; a block that cannot move beeps.
void ListPart::pushMove(const QList<int> &rows, const QList<int> &order, const QString &text)
{
    if (rows.isEmpty() || !m_state->idle() || ListOrder::isUnchanged(order)) {
        m_dialogs->beep();
        return;
    }
    QList<int> moved;
    for (int row : rows)
        moved << int(order.indexOf(row));
    const int current = m_editor->selectedPosition();
    pushStep(new OrderStep(m_model, m_show, text, order,
                           {moved, rows.contains(current) ? int(order.indexOf(current)) : moved.first()},
                           {rows, current}));
}

// With no line selected, a command on the selection beeps.
QList<int> ListPart::selectedRowsOrBeep()
{
    const QList<int> rows = m_editor->selectedRows();
    if (rows.isEmpty())
        m_dialogs->beep();
    return rows;
}

void ListPart::cIns_Click()
{
    const QList<int> rows = selectedRowsOrBeep();
    if (rows.isEmpty())
        return;
    const int count = int(rows.size());
    MemoryTable table = m_model->table();
    table.insertEmptyAt(rows.first() + 1, count);
    // The selected channels follow, but for those that fell out; when none
    // is left, the empty lines that came in are selected.
    QList<int> after;
    for (int row : rows) {
        if (row + count < table.size())
            after << row + count;
    }
    for (int row = rows.first(); after.isEmpty() && row < table.size(); ++row)
        after << row;
    const int current = m_editor->selectedPosition();
    pushStep(new EntriesStep(m_model, m_show,
                             count == 1 ? tr("Insert channel %1").arg(rows.first() + 1)
                                        : tr("Insert %n empty channel(s)", nullptr, count),
                             table.entries(), {after, after.contains(current + count) ? current + count : after.first()},
                             {rows, current}));
}

void ListPart::cDel_Click()
{
    const QList<int> rows = selectedRowsOrBeep();
    if (rows.isEmpty())
        return;
    QList<int> positions;
    for (int row : rows)
        positions << row + 1;
    MemoryTable table = m_model->table();
    table.deleteAt(positions);
    // The line of the first one shows what followed it.
    pushStep(new EntriesStep(m_model, m_show,
                             rows.size() == 1 ? tr("Delete channel %1").arg(rows.first() + 1)
                                              : tr("Delete %n channel(s)", nullptr, int(rows.size())),
                             table.entries(), rows.first(), {rows, m_editor->selectedPosition()}));
}

void ListPart::editSelected()
{
    const QList<int> rows = m_editor->selectedRows();
    const BulkEdit::Choices offered = BulkEdit::offered(m_model->table().entries(), rows);
    if (offered.bandwidths.isEmpty()) {
        // Nothing but empty channels (or channels without a band) to set.
        m_dialogs->beep();
        return;
    }
    m_dialogs->editChannels(m_ui->lList->window(), int(rows.size()), offered.bandwidths, offered.stereos,
                            [this, rows](const QString &bandwidth, const QString &stereo) {
        const BulkEdit::Result r = BulkEdit::applied(m_model->table().entries(), rows, bandwidth, stereo);
        if (r.refused > 0)
            m_notice->say(tr("%n channel(s) kept their bandwidth: their band does not offer %1", nullptr, r.refused)
                              .arg(bandwidth));
        if (r.changed.isEmpty())
            return;
        const Selection same(rows, m_editor->selectedPosition());
        pushStep(new EntriesStep(m_model, m_show,
                                 r.changed.size() == 1 ? tr("Edit channel %1").arg(r.changed.first() + 1)
                                                       : tr("Edit %n channel(s)", nullptr, int(r.changed.size())),
                                 r.entries, same, same));
    });
}

// The selected channel follows the list into its new order.
void ListPart::reorder(const QString &what, const QList<int> &order)
{
    if (ListOrder::isUnchanged(order))
        return;
    const QVector<MemoryEntry> &entries = m_model->table().entries();
    const int s = qMax(0, m_editor->selectedPosition());
    pushStep(new EntriesStep(m_model, m_show, what,
                         ListOrder::applied(entries, order), qMax(0, int(order.indexOf(s))), s));
}

void ListPart::sortByFrequency()
{
    reorder(tr("Sort by frequency"), ListOrder::byFrequency(m_model->table().entries()));
}

void ListPart::sortByName()
{
    reorder(tr("Sort by name"), ListOrder::byName(m_model->table().entries()));
}

void ListPart::moveEmptiesToEnd()
{
    reorder(tr("Move empty channels to the end"), ListOrder::emptiesLast(m_model->table().entries()));
}

// ---------------------------------------------------------------- clipboard

void ListPart::copyChannel()
{
    QVector<MemoryEntry> chosen;
    for (int row : m_editor->selectedRows())
        chosen << m_model->table().entry(row + 1);
    if (chosen.isEmpty()) {
        m_dialogs->beep();
        return;
    }
    putOnClipboard(chosen);
}

void ListPart::cutChannel()
{
    if (m_editor->selectedRows().isEmpty()) {
        m_dialogs->beep();
        return;
    }
    copyChannel();
    cDel_Click();
}

void ListPart::copyAllChannels()
{
    putOnClipboard(m_model->table().entries(), true);
}

void ListPart::putOnClipboard(const QVector<MemoryEntry> &channels, bool withHeader)
{
    auto *data = new QMimeData;
    data->setText(CsvFile::channelLines(channels, withHeader));
    data->setHtml(CsvFile::channelTable(channels, withHeader));
    QGuiApplication::clipboard()->setMimeData(data);
}

// What does not fit before the end of the list, or would not load, changes nothing.
void ListPart::pasteChannels()
{
    const MemoryTable &table = m_model->table();
    const int s = m_editor->selectedPosition();
    const CsvFile::LoadResult r = CsvFile::parseChannels(QGuiApplication::clipboard()->text(), table.limits());
    if (s < 0 || r.status != CsvFile::LoadStatus::Ok || s + r.entries.size() > table.size()) {
        m_dialogs->beep();
        return;
    }
    QVector<MemoryEntry> entries = table.entries();
    std::copy(r.entries.cbegin(), r.entries.cend(), entries.begin() + s);
    pushStep(new EntriesStep(m_model, m_show, tr("Paste %n channel(s)", nullptr, int(r.entries.size())), entries, s, s));
    if (r.namesCut > 0)
        m_notice->say(tr("%n name(s) cut to 9 characters", nullptr, r.namesCut));
}

// ------------------------------------------------------------- undo history

void ListPart::updateUndoTexts()
{
    QAction *undo = (*m_commands)[Commands::Undo];
    QAction *redo = (*m_commands)[Commands::Redo];
    undo->setText(m_undo->canUndo() ? tr("Undo %1").arg(m_undo->undoText()) : tr("Undo"));
    redo->setText(m_undo->canRedo() ? tr("Redo %1").arg(m_undo->redoText()) : tr("Redo"));
}

void ListPart::showMenu(const QPoint &at)
{
    const Commands &c = *m_commands;
    QMenu menu(m_ui->lList);
    menu.setObjectName(QStringLiteral("listMenu"));
    menu.addActions({c[Commands::Undo], c[Commands::Redo]});
    menu.addSeparator();
    menu.addActions({c[Commands::Cut], c[Commands::Copy], c[Commands::Paste], c[Commands::Delete]});
    menu.addAction(c[Commands::EditSelected]);
    menu.addSeparator();
    menu.addActions({c[Commands::SortByFrequency], c[Commands::SortByName], c[Commands::EmptiesLast]});
    menu.addSeparator();
    menu.addAction(c[Commands::CopyAll]);
    menu.addSeparator();
    menu.addAction(c[Commands::Find]);
    menu.addSeparator();
    menu.addAction(c[Commands::UploadChanged]);
    menu.exec(m_ui->lList->viewport()->mapToGlobal(at));
}
