// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver commands of the main window. The engine talks to the
// receiver; the window locks its controls, lets the list follow and says
// what went wrong.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "ListSteps.h"
#include "MemoryListModel.h"
#include "link/TransferEngine.h"
#include "platform/Clock.h"
#include "serial/clsCommPort.h"

#include <QUndoStack>

#include <utility>

void frmMain::wireEngine()
{
    connect(m_engine, &TransferEngine::activity, this, &frmMain::ShowBuf);
    connect(m_engine, &TransferEngine::entryStarting, this, [this](int n) {
        // The list shows the entry being sent and the editor follows it.
        selectPosition(n - 1);
        lList_Click();
    });
    connect(m_engine, &TransferEngine::entryRefused, this, [this](const TransferEngine::Outcome &o) {
        for (const EntryStatus::ErrorMessage &m : o.messages) {
            // After its box is closed, the control the message is about.
            showError(m.text, EntryStatus::errorTitle(o.word), [this, name = m.focusName] {
                if (QWidget *w = findChild<QWidget *>(name))
                    w->setFocus();
            });
        }
    });
}

bool frmMain::abortFlag() const
{
    return m_engine->abortRequested();
}

bool frmMain::beginTransfer()
{
    if (m_transfer)
        return false;
    m_transfer = true;
    m_list->setMovable(false);
    return true;
}

void frmMain::endTransfer(const TransferEngine::Outcome &outcome)
{
    m_transfer = false;
    m_list->setMovable(!m_rebuilding);
    if (outcome.status == TransferEngine::Status::LinkLost)
        linkLost(outcome.description);
    // A failed backup never stops a transfer; it is told once, afterwards.
    if (!m_backupError.isEmpty())
        showError(std::exchange(m_backupError, QString()));
    // Closed during the transfer: once, now, with the usual question.
    if (std::exchange(m_closeRequested, false))
        QTimer::singleShot(0, this, &QWidget::close);
}

void frmMain::cDL_Click()
{
    if (!beginTransfer())
        return;
    EditEn(false);
    TransferEngine::Outcome outcome;
    if (connected()) {
        const MemoryTable before = table();
        const MemoryListModel::Lines lines = m_list->writtenLines();
        m_list->clearRows();
        ReceiverSession::Download received = m_session->download(table());
        outcome = received.outcome;
        m_values = received.values;
        if (outcome.status == TransferEngine::Status::Done) {
            m_list->setTable(received.table);
            NewList();
            pushStep(new ListSteps::TableStep(m_list, [this](int row) { showRow(row); }, tr("Download"),
                                              before, lines));
            markClean();
            backup(QStringLiteral("download"));
        } else {
            // Limits a reply carries count even without a list. Show the
            // table that is still there instead of an empty list that looks
            // as if every channel were gone.
            m_list->setLimits(received.table.limits());
            RefreshList(true);
            selectPosition(0);
        }
    }
    EditEn(true);
    ShowBuf(true);
    lList_Click();
    m_ui->cDL->setFocus();
    endTransfer(outcome);
}

void frmMain::cUL_Click()
{
    if (!beginTransfer())
        return;
    EditEn(false);
    backup(QStringLiteral("upload"));
    finishUpload(m_engine->SendData(table()));
}

void frmMain::uploadChangedChannels()
{
    if (!connected() || !beginTransfer())
        return;
    EditEn(false);
    const ReceiverSession::ChangedUpload up
        = m_session->uploadChanged(table(), table().size(), [this](const MemoryTable &, const QList<int> &) {
              backup(QStringLiteral("upload"));
              return true;
          });
    finishUpload(up.outcome);
}

// What every upload ends with: sent in full, the list is clean.
void frmMain::finishUpload(const TransferEngine::Outcome &outcome)
{
    if (outcome.status == TransferEngine::Status::Done)
        markClean();
    selectPosition(0);
    m_dialogs->beep();
    EditEn(true);
    ShowBuf(true);
    // Back to the button once the receiver's messages are read.
    m_dialogs->afterMessages([this] { m_ui->cUL->setFocus(); });
    endTransfer(outcome);
}

void frmMain::cUpd_Click()
{
    if (m_transfer)
        return;
    if (selectedPosition() < 0) {
        m_dialogs->beep();
        return;
    }
    cAply_Click();
    beginTransfer();
    // The clock command must not slip between the entry and its reply.
    m_ui->cSync->setEnabled(false);
    const TransferEngine::Outcome outcome = m_engine->SendEntry(table(), selectedPosition() + 1);
    m_ui->cSync->setEnabled(connected() && m_port->IsOpen());
    endTransfer(outcome);
}

void frmMain::cSync_Click()
{
    if (!beginTransfer())
        return;
    endTransfer(m_engine->SyncDate(Clock::now().time()));
}
