// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/StationFind.h"

#include <QObject>

class CommandState;
class Dialogs;
class ListEditor;
class MemoryListModel;
namespace Ui {
class frmMain;
}

// Finding a station. Letters typed on the list select the next channel whose
// name begins with them. Find opens a field over the list for a name, PI code
// or frequency; Enter and Find next select the next channel that holds it,
// Find previous the one before, round the list; Escape closes the field.
class ListFind : public QObject
{
    Q_OBJECT

public:
    ListFind(Ui::frmMain *ui, const MemoryListModel *model, const CommandState *state, Dialogs *dialogs,
             ListEditor *editor, QObject *parent = nullptr);

    void open();
    void close();
    void findNext();
    void findPrevious();

protected:
    // Escape in the field closes it: the field's own key.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(StationFind::Direction direction);
    void nameTyped(const QString &text);
    void select(int row);

    Ui::frmMain *m_ui;
    const MemoryListModel *m_model;
    const CommandState *m_state;
    Dialogs *m_dialogs;
    ListEditor *m_editor;
};
