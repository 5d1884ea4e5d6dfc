// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/Backups.h"
#include "memlist/MemoryTable.h"

#include <QObject>

class CommandState;
class Commands;
class Dialogs;
class MemoryListModel;
class QMimeData;
class QWidget;
namespace Ui {
class frmMain;
}

// The memory files: load and save through the file dialogs, the recent
// files on Load's menu, files dropped on the window or named at start-up,
// and the backups kept around transfers.
class FilesPart : public QObject
{
    Q_OBJECT

public:
    FilesPart(QWidget *window, Ui::frmMain *ui, MemoryListModel *model, Commands *commands,
              const CommandState *state, Dialogs *dialogs, QObject *parent = nullptr);

    // The folder the dialogs start in, as read at start-up.
    QString lastDir() const { return m_lastDir; }
    void setLastDir(const QString &dir) { m_lastDir = dir; }

    void cLoad_Click();
    void cSave_Click();
    // Saved, or why not was said (a cancelled dialog beeps).
    bool saveList();
    // remember: whether the file joins the recent files.
    void LoadCSV(const QString &path, bool remember = true);
    // At start-up: the file named, else the automatic one when it is there.
    void loadAtStart(const QString &file);

    // A dropped memory file, or "" when the drop is not one to take now.
    QString droppedFile(const QMimeData *data) const;
    // Loaded once the drop or the menu has ended, so neither is kept waiting.
    void loadLater(const QString &path);

    // A copy of the list as a transfer leaves it; a failure is told once, after the transfer.
    void backup(const QString &what);

signals:
    // A memory file was read: the list takes it as one step.
    void listRead(const MemoryTable &table, const QString &stepText);

private:
    void showRecentMenu(const QPoint &at);
    void tellBackupFailure();

    QWidget *m_window;
    Ui::frmMain *m_ui;
    MemoryListModel *m_model;
    Commands *m_commands;
    const CommandState *m_state;
    Dialogs *m_dialogs;
    QString m_lastDir;
    Backups::Keeper m_backups;
    QString m_backupFailure;   // still to be told
};
