// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/DownloadReply.h"
#include "link/ReceiverSession.h"
#include "link/TransferEngine.h"
#include "memlist/MemoryTable.h"
#include "ports/PortSource.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class Dialogs;
class MemoryListModel;
class PortWatcher;
class QUndoCommand;
class QUndoStack;
class clsCOMenum2;
class clsCommPort;
class QLineEdit;
class QMenu;
class QMimeData;
namespace Ui {
class frmMain;
}

// The program's one window: the memory list, the entry editor, the file and
// receiver commands. Logic lives in the core; this class wires controls to it.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    // ports: where the port list comes from; null for the platform's ports.
    explicit frmMain(Dialogs *dialogs, std::unique_ptr<PortSource> ports = nullptr,
                     QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up sequence: settings, empty list, automatic load (or the file
    // given instead), show, ports.
    void Form_Load(const QString &file = QString());

    const MemoryTable &table() const;
    MemoryListModel *listModel() const { return m_list; }
    QUndoStack *undoStack() const { return m_undo; }
    bool abortFlag() const;
    QString lastDir() const { return m_lastDir; }
    clsCommPort *port() const { return m_port; }
    bool transferRunning() const { return m_transfer; }

    // Window operations on the memory list.
    void ClearList();
    void NewList();
    void RefreshList(bool silent);
    void FillCombos(qint16 band);

    // Entry editor.
    void lList_Click();
    void tFreq_Validate();
    void cAply_Click();
    void cClr_Click();

    // List operations.
    void cUp_Click();
    void cDn_Click();
    void cIns_Click();
    void cDel_Click();
    // A channel taken to another line (positions from 1), as by that many Ups or Downs.
    void moveChannel(int from, int to);
    void sortByFrequency();
    void sortByName();
    void moveEmptiesToEnd();
    // The clipboard: the selected channel, or the whole list with its header,
    // as Save writes them; a paste writes from the selected channel on.
    void copyChannel();
    void cutChannel();
    void copyAllChannels();
    void pasteChannels();

    // Undo history of the list.
    void undoStep();
    void redoStep();

    // Memory files.
    void cSave_Click();
    void cLoad_Click();
    // remember: whether the file joins the Load button's list of recent files.
    void LoadCSV(const QString &path, bool remember = true);

    // Connection control.
    void CtrlEn(bool enabled);
    void EditEn(bool enabled);
    void ShowBuf(bool reset);
    void COMlist();
    void WaitS(float seconds);
    void cRefresh_Click();
    void ckConn_Click(bool checked);
    void TimerChk_Timer();
    void COMp_OnComm();
    void COMp_OnEvent();
    // A device came or went while not connected: the list follows it.
    void followPorts();

    // Receiver commands.
    void cDL_Click();
    void cUL_Click();
    void cUpd_Click();
    void cSync_Click();
    // Downloads the receiver's list into a copy and sends what differs.
    void uploadChangedChannels();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // A memory file dropped on the window is loaded.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setupLook();
    void wireControls();
    void selectWholeTextLater(QLineEdit *box);
    bool belongsToWindow(const QWidget *w) const;
    bool freqKeyPress(QKeyEvent *e);
    bool piKeyPress(QKeyEvent *e);
    bool arrowKeyDown(QLineEdit *box, QKeyEvent *e);
    void pushStep(QUndoCommand *step);
    // How the undo steps show their change: the line selected, the editor loaded.
    void showRow(int row);
    bool listIdle() const;
    void reorder(const QString &what, const QList<int> &order);
    void addListActions(QMenu *menu);
    void addUploadChanged(QMenu *menu);
    void listMenu(const QPoint &at);
    void uploadMenu(const QPoint &at);
    void recentMenu(const QPoint &at);
    QString droppedFile(const QMimeData *data) const;
    bool clipboardKey(QKeyEvent *e);
    void markClean();
    void finishUpload(const TransferEngine::Outcome &outcome);
    bool undoKey(QKeyEvent *e);
    bool saveList();
    void backup(const QString &what);
    int selectedPosition() const;
    void selectPosition(int position);
    void Form_Unload();
    void restorePosition();
    void yield();
    bool connected() const;
    void COMp_failure(const QString &description);
    void COMp_deviceGone();
    void linkLost(const QString &description);
    void fillPortList(const QList<PortRecord> &ports, int selected);
    QStringList listedPortPaths() const;
    // Watched while not connected, so the list follows plugging in and out.
    void watchPorts();
    void wireEngine();
    bool beginTransfer();
    void endTransfer(const TransferEngine::Outcome &outcome);
    void showError(const QString &text, const QString &title = QString(),
                   std::function<void()> then = {});

    Ui::frmMain *m_ui;
    Dialogs *m_dialogs;
    MemoryListModel *m_list;
    qint16 m_bandLastOffered;
    bool m_rebuilding = false;
    QString m_lastDir;

    static constexpr int kPortNumRole = Qt::UserRole;
    static constexpr int kPortNameRole = Qt::UserRole + 1;
    static constexpr int kPortPathRole = Qt::UserRole + 2;
    std::unique_ptr<PortSource> m_portSource;
    ReceiverSession *m_session;
    clsCommPort *m_port;
    std::unique_ptr<clsCOMenum2> m_enum;
    QTimer m_timerChk;
    qint16 m_lastPortCount = 0;
    PortWatcher *m_portWatcher;
    QString m_portChosenByHand;     // device path picked in the list by the user
    TransferEngine *m_engine;
    DownloadReply::Values m_values;
    QUndoStack *m_undo;
    QString m_backupError;          // why a backup failed, still to be told
    bool m_transfer = false;        // a receiver command is running
    bool m_closeRequested = false;  // the window was closed during it
};
