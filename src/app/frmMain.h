// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortSource.h"

#include <QWidget>
#include <memory>

class CommandState;
class Commands;
class Dialogs;
class FilesPart;
class ListPart;
class MemoryListModel;
class MemoryTable;
class NoticeLine;
class QUndoStack;
class ReceiverPart;
class clsCommPort;
namespace Ui {
class frmMain;
}

// The program's one window. It builds the form, makes the commands and the
// state that enables them, and wires the three parts that do the work: the
// list, the files and the receiver. They meet through the list model, the
// undo history and the state.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    // ports: where the port list comes from; null for the platform's ports.
    explicit frmMain(Dialogs *dialogs, std::unique_ptr<PortSource> ports = nullptr, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up sequence: settings, empty list, automatic load (or the file
    // given instead), show, ports.
    void Form_Load(const QString &file = QString());

    const MemoryTable &table() const;
    QUndoStack *undoStack() const { return m_undo; }
    CommandState *state() const { return m_state; }
    Commands *commands() const { return m_commands; }
    ListPart *list() const { return m_list; }
    FilesPart *files() const { return m_files; }
    ReceiverPart *receiver() const { return m_receiver; }
    NoticeLine *notice() const { return m_notice; }
    bool abortFlag() const;
    QString lastDir() const;
    clsCommPort *port() const;

protected:
    // Escape sets the abort flag from anywhere in the window, and only there.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // A memory file dropped on the window is loaded.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void wireParts();
    void Form_Unload();
    void restorePosition();

    Ui::frmMain *m_ui;
    Dialogs *m_dialogs;
    MemoryListModel *m_model;
    QUndoStack *m_undo;
    CommandState *m_state;
    NoticeLine *m_notice;
    Commands *m_commands;
    ListPart *m_list;
    FilesPart *m_files;
    ReceiverPart *m_receiver;
    bool m_closeRequested = false;   // closed while busy: closes once idle again
};
