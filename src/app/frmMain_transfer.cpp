// Talking to the receiver: download, upload, single-entry update, clock.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "link/ClockCommand.h"
#include "link/DownloadReply.h"
#include "link/EntryCommand.h"
#include "link/EntryStatus.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"

#include <QElapsedTimer>

#include <functional>

namespace {
// A reply still arriving when the fixed wait ends is collected until the
// line has been quiet this long, but never longer than the hard bound.
constexpr int kQuietGapMs = 400;
constexpr int kReplyHardLimitMs = 60000;
// Far beyond the largest list a receiver can hold (32767 lines of ~40 bytes).
constexpr qsizetype kReplyMaxChars = 4 * 1024 * 1024;
constexpr double kSliceSeconds = 0.05;

// WaitS in short slices that ends early once `stop` says so: a lost link or
// a closing window should not sit out the whole wait for the reply.
void waitUnless(float seconds, const std::function<bool()> &stop)
{
    double start = Clock::secondsOfDay();
    while (!stop()) {
        const double now = Clock::secondsOfDay();
        if (now < start)
            start = 0; // past midnight, counted as WaitS counts
        const double left = start + seconds - now;
        if (left <= 0)
            return;
        Wait::WaitS(static_cast<float>(qMin(left, kSliceSeconds)));
    }
}
} // namespace

bool frmMain::transferGoesOn() const
{
    return m_linkError.isEmpty() && !m_closeRequested;
}

void frmMain::beginTransfer()
{
    m_transfer = true;
    m_linkError.clear();
}

void frmMain::endTransfer()
{
    m_transfer = false;
    if (!m_linkError.isEmpty()) {
        const QString text = m_linkError;
        m_linkError.clear();
        if (connected())
            TimerChk_Timer();
        showError(text);
    }
    if (m_closeRequested)
        QTimer::singleShot(0, this, &QWidget::close);
}

// ----------------------------------------------------------------- download

void frmMain::cDL_Click()
{
    if (m_transfer)
        return;
    beginTransfer();
    EditEn(false);
    try {
        ReadData();
    } catch (const CommPortError &e) {
        linkLost(e.description());
    }
    EditEn(true);
    ShowBuf(true);
    lList_Click();
    m_ui->cDL->setFocus();
    endTransfer();
}

QString frmMain::collectReply()
{
    QString reply;
    QElapsedTimer total;
    total.start();
    // Bytes that came in within the last quiet gap mean the receiver is still
    // talking; keep listening until it stops or the hard bound is reached.
    while (transferGoesOn() && m_lastReceive.isValid() && m_lastReceive.elapsed() < kQuietGapMs
           && total.elapsed() < kReplyHardLimitMs && reply.size() <= kReplyMaxChars) {
        WaitS(0.05f);
        while (m_port->cInBufferCount() >= 1)
            reply += m_port->cInput();
    }
    return reply;
}

void frmMain::ReadData()
{
    if (!connected())
        return;
    m_ui->lList->clear();
    m_lastReceive.invalidate();
    m_port->cOutput(QStringLiteral("s"));
    ShowBuf(false);
    yield();
    WaitS(0.1f);
    m_port->SendBuffer();
    ShowBuf(false);
    yield();
    waitUnless(2.5f, [this] { return !transferGoesOn(); });
    QString reply;
    do {
        reply += m_port->cInput();
    } while (m_port->cInBufferCount() >= 1);
    if (transferGoesOn())
        reply += collectReply();
    ShowBuf(false);
    yield();
    WaitS(0.025f);

    bool applied = false;
    if (!reply.isEmpty() && transferGoesOn() && reply.size() <= kReplyMaxChars
        && DownloadReply::apply(reply, m_table, m_values)) {
        NewList();
        applied = true;
    }
    if (!applied) {
        // Nothing new: show the table that is still there instead of an
        // empty list that looks as if every channel were gone.
        RefreshList(true);
        selectPosition(0);
    }
}

// ------------------------------------------------------------------- upload

bool frmMain::SendEntry()
{
    lList_Click();
    const int n = selectedPosition() + 1;
    if (n < 1 || n > m_table.size())
        return false;
    yield();
    const QString command = EntryCommand::entryCommand(n, m_table.entry(n));
    if (!sendCommand(command))
        return false;
    const QString line = m_port->cReadLine(1.0f);
    ShowBuf(false);
    yield();
    WaitS(0.025f);
    if (!transferGoesOn())
        return false;

    const EntryStatus::Reply reply = EntryStatus::parse(line);
    if (!reply.isStatus || reply.accepted)
        return true;
    for (const EntryStatus::ErrorMessage &m : EntryStatus::errorMessages(reply.word)) {
        showError(m.text, EntryStatus::errorTitle(reply.word));
        if (QWidget *w = findChild<QWidget *>(m.focusName))
            w->setFocus();
    }
    ShowBuf(true);
    yield();
    return false;
}

bool frmMain::sendCommand(const QString &command)
{
    m_port->cOutput(command);
    ShowBuf(true);
    yield();
    WaitS(0.025f);
    do {
        m_port->SendBuffer();
        ShowBuf(true);
        yield();
        // A closed port keeps the text; don't wait for it forever.
        if (m_abort || !m_port->IsOpen())
            break;
    } while (m_port->cOutBufferCount() >= 1);
    ShowBuf(false);
    yield();
    WaitS(0.025f);
    return transferGoesOn();
}

void frmMain::SendData()
{
    m_abort = false;
    for (int n = 1; n <= m_table.size(); ++n) {
        selectPosition(n - 1);
        if (!SendEntry() || m_abort || !transferGoesOn())
            break;
    }
    (void)m_port->cInput();
    ShowBuf(true);
    yield();
    selectPosition(0);
    m_dialogs->beep();
}

void frmMain::cUL_Click()
{
    if (m_transfer)
        return;
    beginTransfer();
    EditEn(false);
    try {
        SendData();
    } catch (const CommPortError &e) {
        linkLost(e.description());
    }
    EditEn(true);
    ShowBuf(true);
    m_ui->cUL->setFocus();
    endTransfer();
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
    // Sync must not interleave with the entry and its reply.
    m_ui->cSync->setEnabled(false);
    try {
        (void)SendEntry();
    } catch (const CommPortError &e) {
        linkLost(e.description());
    }
    m_ui->cSync->setEnabled(connected() && m_port->IsOpen());
    endTransfer();
}

// -------------------------------------------------------------------- clock

void frmMain::SyncDate()
{
    const QString command = ClockCommand::clockCommand(Clock::now().time());
    if (!sendCommand(command))
        return;
    (void)m_port->cReadLine(1.0f);
    ShowBuf(false);
    yield();
    WaitS(0.025f);
    ShowBuf(true);
    yield();
}

void frmMain::cSync_Click()
{
    if (m_transfer)
        return;
    beginTransfer();
    try {
        SyncDate();
    } catch (const CommPortError &e) {
        linkLost(e.description());
    }
    endTransfer();
}
