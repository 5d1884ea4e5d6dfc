// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QObject>

#include <array>

class CommandState;
class QAbstractButton;
class QUndoStack;
class QWidget;
namespace Ui {
class frmMain;
}

// Every command of the window as one QAction, made here with its text,
// shortcut and tooltip; a glyph button shows its command's tooltip and
// accessible name from the form. Buttons, menus and keys all trigger the
// action, and the state alone enables it, so a command that may not run now
// cannot be reached by any path. Keys are shortcuts of the main window: they
// do nothing while a box or a dialog of its own is in front.
class Commands : public QObject
{
    Q_OBJECT

public:
    enum Id {
        Load, Recent, Save, Up, Down, Insert, Delete, Apply, Clear, Update, Download, Upload,
        UploadChanged, Sync, Refresh, Connect, SortByFrequency, SortByName, EmptiesLast, EditSelected,
        Copy, Cut, Paste, CopyAll, Find, FindNext, FindPrevious, Undo, Redo, Quit,
        Count
    };

    Commands(QWidget *window, Ui::frmMain *ui, const CommandState *state, const QUndoStack *undo);

    QAction *operator[](Id id) const { return m_actions[id]; }

private:
    QAction *make(Id id, const char *name, const QString &text, const QList<QKeySequence> &keys = {});
    QAction *forButton(Id id, const char *name, QAbstractButton *button, const QList<QKeySequence> &keys = {});
    void update();

    QWidget *m_window;
    const CommandState *m_state;
    const QUndoStack *m_undo;
    std::array<QAction *, Count> m_actions{};
};
