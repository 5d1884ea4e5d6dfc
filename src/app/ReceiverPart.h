// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FocusKeeper.h"
#include "link/DownloadReply.h"
#include "link/TransferEngine.h"
#include "link/TransferWords.h"
#include "memlist/MemoryTable.h"
#include "ports/PortSource.h"

#include <QObject>
#include <QTimer>

#include <memory>

class CommandState;
class Commands;
class Dialogs;
class MemoryListModel;
class NoticeLine;
class PortWatcher;
class ReceiverSession;
class clsCOMenum2;
class clsCommPort;
namespace Ui {
class frmMain;
}

// The receiver: the port list and its watch, the connection with its
// layouts and lamps, and the transfers (download, upload, update, sync) the
// engine runs while this part holds the state and says what went wrong.
class ReceiverPart : public QObject
{
    Q_OBJECT

public:
    // ports: where the port list comes from; null for the platform's ports.
    ReceiverPart(QWidget *window, Ui::frmMain *ui, MemoryListModel *model, Commands *commands, CommandState *state,
                 Dialogs *dialogs, NoticeLine *notice, std::unique_ptr<PortSource> ports, QObject *parent = nullptr);
    ~ReceiverPart() override;

    clsCommPort *port() const { return m_port; }
    // Escape: an upload ends after the channel being sent.
    void requestAbort();
    bool abortFlag() const;
    // The window goes: whatever runs ends at its next safe point.
    void stopTransfer();
    // At the end of start-up: the port list, the not-connected layout, the watch.
    void start();
    // At shut-down: the port to remember, and the connection closed.
    void shutDown();

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

    void cDL_Click();
    void cUL_Click();
    void cUpd_Click();
    void cSync_Click();
    // Downloads the receiver's list into a copy and sends what differs.
    void uploadChangedChannels();
    // The list changed: the count of changed channels the upload of changes names.
    void updateChangedCount();

signals:
    // The list the receiver holds, entries built: the list takes it as one step.
    void received(const MemoryTable &table);
    // A download that brought no list: the table is shown again as it was.
    void notReceived();
    // The list shows this line and the editor loads it.
    void showEntry(int row);
    // A copy of the list is kept: after a download, before an upload.
    void backupWanted(const QString &what);

private:
    bool connected() const;
    void yield();
    void COMp_failure(const QString &description);
    void COMp_deviceGone();
    void linkLost(const QString &description);
    void fillPortList(const QList<PortRecord> &ports, int selected);
    QStringList listedPortPaths() const;
    void watchPorts();
    bool beginTransfer();
    // What every transfer ends with, its closing word last.
    void endTransfer(TransferWords::Ending ending);
    void finishUpload(const TransferWords::Ending &ending);
    void showUploadMenu(const QPoint &at);
    void showError(const QString &text, const QString &title = QString(), std::function<void()> then = {});

    QWidget *m_window;
    Ui::frmMain *m_ui;
    MemoryListModel *m_model;
    Commands *m_commands;
    CommandState *m_state;
    Dialogs *m_dialogs;
    NoticeLine *m_notice;
    std::unique_ptr<PortSource> m_portSource;
    ReceiverSession *m_session;
    clsCommPort *m_port;
    TransferEngine *m_engine;
    std::unique_ptr<clsCOMenum2> m_enum;
    QTimer m_timerChk;
    qint16 m_lastPortCount = 0;
    PortWatcher *m_portWatcher;
    QString m_portChosenByHand;   // device path picked in the list by the user
    DownloadReply::Values m_values;
    FocusKeeper m_focus;
};
