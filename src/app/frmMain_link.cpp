// SPDX-License-Identifier: GPL-3.0-or-later
// Connection control of the main window: port list, connect toggle, layouts,
// busy lock and the activity lamps.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "platform/Wait.h"
#include "ports/PortChoice.h"
#include "ports/PortWatcher.h"
#include "ports/clsCOMenum2.h"
#include "serial/clsCommPort.h"
#include "settings/ProgramSettings.h"

#include <QPalette>

namespace {
const QColor kTxIdle(128, 64, 32);
const QColor kTxActive(255, 128, 64);
const QColor kRxIdle(64, 128, 32);
const QColor kRxActive(128, 255, 64);

void paintLamp(QWidget *lamp, const QColor &colour)
{
    QPalette pal = lamp->palette();
    if (pal.color(QPalette::Window) == colour)
        return;
    pal.setColor(QPalette::Window, colour);
    // setPalette schedules the repaint: the lamp is painted at the next
    // yield, together with whatever else changed, instead of on its own.
    lamp->setPalette(pal);
}
} // namespace

void frmMain::yield()
{
    QCoreApplication::processEvents();
}

void frmMain::WaitS(float seconds)
{
    Wait::WaitS(seconds);
}

bool frmMain::connected() const
{
    return m_ui->ckConn->isChecked();
}

void frmMain::CtrlEn(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(m_ui->cSync), static_cast<QWidget *>(m_ui->cDL),
                       static_cast<QWidget *>(m_ui->cUL), static_cast<QWidget *>(m_ui->cUpd)})
        w->setEnabled(!enabled);
    m_ui->cRefresh->setEnabled(enabled);
    m_ui->coCOM->setEnabled(enabled);
    yield();
}

void frmMain::EditEn(bool enabled)
{
    const QList<QWidget *> controls = {
        m_ui->ckConn, m_ui->cLoad, m_ui->cSave, m_ui->cDL,   m_ui->cUL,  m_ui->cUp,
        m_ui->cDn,    m_ui->cIns,  m_ui->cDel,  m_ui->cAply, m_ui->cUpd, m_ui->cClr,
        m_ui->tBand,  m_ui->tFreq, m_ui->tName, m_ui->tPI,   m_ui->coBW, m_ui->coST};
    for (QWidget *w : controls)
        w->setEnabled(enabled);
    // The clock command must not slip between an entry and its reply, and the
    // receiver commands follow the connection, which may have been lost.
    const bool online = connected() && m_port->IsOpen();
    m_ui->cSync->setEnabled(enabled && online);
    if (enabled && !online) {
        for (QWidget *w : {static_cast<QWidget *>(m_ui->cDL), static_cast<QWidget *>(m_ui->cUL),
                           static_cast<QWidget *>(m_ui->cUpd)})
            w->setEnabled(false);
        // A port lost during the transfer may have left nothing to connect to.
        if (!connected() && m_ui->coCOM->count() == 0)
            m_ui->ckConn->setEnabled(false);
    }
    yield();
}

void frmMain::ShowBuf(bool reset)
{
    if (reset) {
        paintLamp(m_ui->pBuf_0, kTxIdle);
        paintLamp(m_ui->pBuf_1, kRxIdle);
        return;
    }
    paintLamp(m_ui->pBuf_0, m_port->cOutBufferCount() != 0 ? kTxActive : kTxIdle);
    paintLamp(m_ui->pBuf_1, m_port->cInBufferCount() != 0 ? kRxActive : kRxIdle);
}

void frmMain::COMlist()
{
    m_ui->ckConn->setEnabled(false);
    yield();
    // Made by the first fill, after the window's first paint: the
    // enumerator searches the ports as it is created.
    if (!m_enum)
        m_enum = std::make_unique<clsCOMenum2>(std::move(m_portSource));
    m_enum->EnumNow();
    const qint16 n = m_enum->Count();
    if (n == m_lastPortCount)
        return;
    m_lastPortCount = n;
    if (n <= 0) {
        m_ui->coCOM->clear();
        m_portWatcher->setListedPaths({});
        return;
    }
    const QList<PortRecord> &ports = m_enum->records();
    // Ports are remembered by name here; a number from elsewhere still counts.
    fillPortList(ports, PortChoice::preselect(ports, ProgramSettings().comPort()));
}

void frmMain::fillPortList(const QList<PortRecord> &ports, int selected)
{
    m_ui->coCOM->clear();
    for (const PortRecord &r : ports) {
        m_ui->coCOM->addItem(PortChoice::listText(r));
        const int row = m_ui->coCOM->count() - 1;
        m_ui->coCOM->setItemData(row, r.portNum, kPortNumRole);
        m_ui->coCOM->setItemData(row, r.port, kPortNameRole);
        m_ui->coCOM->setItemData(row, r.path, kPortPathRole);
    }
    m_ui->coCOM->setCurrentIndex(selected);
    m_ui->ckConn->setEnabled(!ports.isEmpty());
    m_portWatcher->setListedPaths(listedPortPaths());
}

QStringList frmMain::listedPortPaths() const
{
    QStringList paths;
    for (int row = 0; row < m_ui->coCOM->count(); ++row)
        paths << m_ui->coCOM->itemData(row, kPortPathRole).toString();
    return paths;
}

void frmMain::watchPorts()
{
    m_portWatcher->setListedPaths(listedPortPaths());
    m_portWatcher->setActive(!connected());
}

void frmMain::followPorts()
{
    if (connected() || !m_enum)
        return;
    // A rebuild or transfer holds the controls; the list follows after it.
    if (!listIdle()) {
        QTimer::singleShot(PortWatcher::kSettleMs, this, &frmMain::followPorts);
        return;
    }
    const QStringList before = listedPortPaths();
    m_enum->EnumNow();
    const QList<PortRecord> &ports = m_enum->records();
    QStringList now;
    for (const PortRecord &r : ports)
        now << r.path;
    if (now == before)
        return;
    m_lastPortCount = m_enum->Count();
    fillPortList(ports, PortChoice::follow(ports, before, m_portChosenByHand, ProgramSettings().comPort()));
}

void frmMain::cRefresh_Click()
{
    if (connected())
        return;
    m_ui->ckConn->setEnabled(false);
    m_lastPortCount = -1;
    m_ui->coCOM->clear();
    yield();
    COMlist();
    CtrlEn(true);
}

void frmMain::ckConn_Click(bool checked)
{
    if (!checked) {
        if (m_port->IsOpen()) {
            m_timerChk.stop();
            m_port->cClose();
            ShowBuf(true);
        }
        CtrlEn(true);
    } else {
        CtrlEn(false);
        if (!m_port->IsOpen()) {
            const int row = m_ui->coCOM->currentIndex();
            const ReceiverSession::Opening o = m_session->open(
                m_ui->coCOM->itemData(row, kPortPathRole).toString(),
                static_cast<qint16>(m_ui->coCOM->itemData(row, kPortNumRole).toInt()), PortProblem::Source::Listed);
            if (o.open) {
                m_timerChk.start();
            } else {
                m_ui->ckConn->setChecked(false);
                m_dialogs->beep();
                // Then why, when it is known.
                if (!o.why.isEmpty())
                    showError(QStringLiteral("  ") + o.why + QStringLiteral("  "));
            }
        }
    }
    watchPorts();
    m_ui->lList->setFocus();
    yield();
    m_ui->ckConn->setFocus();
}

void frmMain::TimerChk_Timer()
{
    if (!connected() || m_port->IsOpen())
        return;
    m_timerChk.stop();
    m_ui->ckConn->setChecked(false);
    m_port->cClose();
    ShowBuf(true);
    cRefresh_Click();
    watchPorts();
}

void frmMain::COMp_OnComm()
{
    ShowBuf(false);
    yield();
}

void frmMain::COMp_OnEvent()
{
    ShowBuf(false);
    (void)m_port->GetEvents();
}

void frmMain::COMp_failure(const QString &description)
{
    // During a transfer the engine takes the report and ends the transfer.
    if (!m_engine->isRunning())
        linkLost(description);
}

void frmMain::COMp_deviceGone()
{
    // A lost port while idle switches back without a word, as the
    // connection check would a second later.
    if (!m_engine->isRunning())
        TimerChk_Timer();
}

void frmMain::linkLost(const QString &description)
{
    if (connected())
        TimerChk_Timer();
    showError(QStringLiteral("  ") + description + QStringLiteral("  "));
}
