// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver commands of the main window. The engine talks to the
// receiver; the window locks its controls, lets the list follow and says
// what went wrong.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "ListStep.h"
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
            showError(m.text, EntryStatus::errorTitle(o.word));
            if (QWidget *w = findChild<QWidget *>(m.focusName))
                w->setFocus();
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
    return true;
}

void frmMain::endTransfer(const TransferEngine::Outcome &outcome)
{
    m_transfer = false;
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
        const MemoryTable before = m_table;
        const QMap<int, QString> odd = oddLines();
        m_ui->lList->clear();
        ReceiverSession::Download received = m_session->download(m_table);
        outcome = received.outcome;
        m_values = received.values;
        if (outcome.status == TransferEngine::Status::Done) {
            m_table = std::move(received.table);
            NewList();
            pushStep(ListStep::whole(this, QStringLiteral("Download"), before, odd));
            m_undo->setClean();
            backup(QStringLiteral("download"));
        } else {
            // Limits a reply carries count even without a list. Show the
            // table that is still there instead of an empty list that looks
            // as if every channel were gone.
            m_table.limits() = received.table.limits();
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
    const TransferEngine::Outcome outcome = m_engine->SendData(m_table);
    if (outcome.status == TransferEngine::Status::Done)
        m_undo->setClean();
    selectPosition(0);
    m_dialogs->beep();
    EditEn(true);
    ShowBuf(true);
    m_ui->cUL->setFocus();
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
    const TransferEngine::Outcome outcome = m_engine->SendEntry(m_table, selectedPosition() + 1);
    m_ui->cSync->setEnabled(connected() && m_port->IsOpen());
    endTransfer(outcome);
}

void frmMain::cSync_Click()
{
    if (!beginTransfer())
        return;
    endTransfer(m_engine->SyncDate(Clock::now().time()));
}
