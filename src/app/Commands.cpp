// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include "CommandState.h"
#include "ui_frmMain.h"

#include <QApplication>
#include <QUndoStack>

Commands::Commands(QWidget *window, Ui::frmMain *ui, const CommandState *state, const QUndoStack *undo)
    : QObject(window), m_window(window), m_state(state), m_undo(undo)
{
    forButton(Load, "actLoad", ui->cLoad, {QKeySequence::Open});
    make(Recent, "actRecent", tr("Recent files"));
    forButton(Save, "actSave", ui->cSave, {QKeySequence::Save});
    forButton(Up, "actUp", ui->cUp, {QKeySequence(Qt::ControlModifier | Qt::Key_Up)});
    forButton(Down, "actDown", ui->cDn, {QKeySequence(Qt::ControlModifier | Qt::Key_Down)});
    forButton(Insert, "actInsert", ui->cIns, {QKeySequence(Qt::Key_Insert)});
    // In menus it says what it does to a selection; the button keeps its tooltip.
    forButton(Delete, "actDelete", ui->cDel, {QKeySequence(Qt::Key_Delete)})->setText(tr("Delete channels"));
    // From anywhere in the window, the list included: the editor always
    // shows the list's current line, so that is the line it applies to.
    forButton(Apply, "actApply", ui->cAply,
              {QKeySequence(Qt::ControlModifier | Qt::Key_Return), QKeySequence(Qt::ControlModifier | Qt::Key_Enter)});
    forButton(Clear, "actClear", ui->cClr);
    forButton(Update, "actUpdate", ui->cUpd);
    forButton(Download, "actDownload", ui->cDL);
    forButton(Upload, "actUpload", ui->cUL);
    make(UploadChanged, "actUploadChanged", tr("Upload changed channels (%1)").arg(0));
    forButton(Sync, "actSync", ui->cSync);
    forButton(Refresh, "actRefresh", ui->cRefresh);
    make(SortByFrequency, "actSortByFrequency", tr("Sort by frequency"));
    make(SortByName, "actSortByName", tr("Sort by name"));
    make(EmptiesLast, "actEmptiesLast", tr("Move empty channels to the end"));
    make(EditSelected, "actEditSelected", tr("Edit selected channels..."));
    make(Copy, "actCopy", tr("Copy channels"), {QKeySequence::Copy});
    make(Cut, "actCut", tr("Cut channels"), {QKeySequence::Cut});
    make(Paste, "actPaste", tr("Paste channels"), {QKeySequence::Paste});
    make(CopyAll, "actCopyAll", tr("Copy all channels"));
    make(Find, "actFind", tr("Find station..."), {QKeySequence(Qt::ControlModifier | Qt::Key_F)});
    make(FindNext, "actFindNext", tr("Find next"), {QKeySequence(Qt::Key_F3)});
    make(FindPrevious, "actFindPrevious", tr("Find previous"), {QKeySequence(Qt::ShiftModifier | Qt::Key_F3)});
    make(Undo, "actUndo", tr("Undo"), {QKeySequence(Qt::ControlModifier | Qt::Key_Z)});
    make(Redo, "actRedo", tr("Redo"),
         {QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z), QKeySequence(Qt::ControlModifier | Qt::Key_Y)});
    make(Quit, "actQuit", tr("Quit"), {QKeySequence::Quit});

    // The connect toggle is the command's checked state, both ways; its
    // value changes by the user or by the program run the same handling.
    QAction *connect = make(Connect, "actConnect", ui->ckConn->text().trimmed());
    connect->setCheckable(true);
    connect->setToolTip(ui->ckConn->toolTip());
    QObject::connect(ui->ckConn, &QAbstractButton::toggled, connect, &QAction::setChecked);
    QObject::connect(connect, &QAction::toggled, ui->ckConn, &QAbstractButton::setChecked);
    QObject::connect(connect, &QAction::changed, ui->ckConn, [connect, box = ui->ckConn] { box->setEnabled(connect->isEnabled()); });

    QObject::connect(state, &CommandState::changed, this, &Commands::update);
    QObject::connect(undo, &QUndoStack::canUndoChanged, this, &Commands::update);
    QObject::connect(undo, &QUndoStack::canRedoChanged, this, &Commands::update);
    update();
}

QAction *Commands::make(Id id, const char *name, const QString &text, const QList<QKeySequence> &keys)
{
    auto *a = new QAction(text, m_window);
    a->setObjectName(QLatin1String(name));
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    // Added to the window, so its keys work anywhere in it, and only there.
    m_window->addAction(a);
    m_actions[id] = a;
    return a;
}

QAction *Commands::forButton(Id id, const char *name, QAbstractButton *button, const QList<QKeySequence> &keys)
{
    QAction *a = make(id, name, button->accessibleName(), keys);
    a->setToolTip(button->toolTip());
    a->setEnabled(button->isEnabled());
    // Qt keeps the mouse and the keys from a window behind a box or dialog, not
    // an assistive tool's press: that one does nothing there either.
    QObject::connect(button, &QAbstractButton::clicked, a, [a] {
        if (!QApplication::activeModalWidget())
            a->trigger();
    });
    QObject::connect(a, &QAction::changed, button, [a, button] { button->setEnabled(a->isEnabled()); });
    return a;
}

void Commands::update()
{
    const bool idle = m_state->idle();
    const bool connected = m_state->connected();
    for (int id = 0; id < Count; ++id) {
        bool on = idle;
        switch (id) {
        case Download:
        case Upload:
        case UploadChanged:
        case Update:
        case Sync: on = idle && connected; break;
        case Refresh: on = idle && m_state->connectionKnown() && !connected; break;
        case Connect: on = idle && (connected || m_state->portsListed()); break;
        case Undo: on = idle && m_undo->canUndo(); break;
        case Redo: on = idle && m_undo->canRedo(); break;
        // Closing during a transfer stops it first.
        case Quit: on = true; break;
        default: break;
        }
        m_actions[id]->setEnabled(on);
    }
}
