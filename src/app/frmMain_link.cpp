// Connection control of the main window: port list, connect toggle, layouts,
// busy lock and the activity lamps.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "platform/Wait.h"
#include "ports/clsCOMenum2.h"
#include "serial/clsCommPort.h"
#include "settings/Registry.h"

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
        return;
    }
    m_ui->coCOM->clear();
    // Ports are remembered by name here; a number from elsewhere still counts.
    const QVariant remembered = mRegistry2::Registry(setting(QStringLiteral("\\COM-Port")));
    for (int i = 1; i <= n; ++i) {
        m_ui->coCOM->addItem(m_enum->Port(i) + QStringLiteral(": ") + m_enum->Description(i));
        const int row = m_ui->coCOM->count() - 1;
        m_ui->coCOM->setItemData(row, m_enum->PortNum(i), kPortNumRole);
        m_ui->coCOM->setItemData(row, m_enum->Port(i), kPortNameRole);
        m_ui->coCOM->setItemData(row, m_enum->Path(i), kPortPathRole);
        // Linux names CH340 bridges "USB2.0-Serial"; their USB identity tells.
        const bool ch340 = m_enum->VID(i) == QLatin1String("1A86")
            && (m_enum->PID(i) == QLatin1String("7523") || m_enum->PID(i) == QLatin1String("5523"));
        m_ui->coCOM->setItemData(row, ch340, kCh340Role);
    }
    m_ui->coCOM->setCurrentIndex(-1);
    int pick = -1;
    for (int row = 0; row < m_ui->coCOM->count(); ++row) {
        const bool match = remembered.typeId() == QMetaType::QString
            ? m_ui->coCOM->itemData(row, kPortNameRole).toString() == remembered.toString()
            : (remembered.isValid()
               && m_ui->coCOM->itemData(row, kPortNumRole).toInt() == remembered.toInt());
        if (match)
            pick = row; // the last of several
    }
    if (pick < 0) {
        for (int row = 0; row < m_ui->coCOM->count() && pick < 0; ++row) {
            if (m_ui->coCOM->itemText(row).contains(QStringLiteral("CH340"), Qt::CaseInsensitive)
                || m_ui->coCOM->itemData(row, kCh340Role).toBool())
                pick = row;
        }
    }
    m_ui->coCOM->setCurrentIndex(pick < 0 ? 0 : pick);
    m_ui->ckConn->setEnabled(true);
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
            m_port->setCPort(static_cast<qint16>(m_ui->coCOM->itemData(row, kPortNumRole).toInt()));
            m_port->setCPortPath(m_ui->coCOM->itemData(row, kPortPathRole).toString());
            m_port->setCSettings(QStringLiteral("115200,N,8,1"));
            m_port->setPollInterval(25);
            try {
                m_port->cClose();
                m_port->cOpen(true);
            } catch (const std::exception &) {
                // The port is closed already; the check below springs back.
            }
            if (m_port->IsOpen()) {
                m_timerChk.start();
            } else {
                m_ui->ckConn->setChecked(false);
                m_dialogs->beep();
            }
        }
    }
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
}

void frmMain::COMp_OnComm()
{
    ShowBuf(false);
    // The download keeps collecting while the reply is still coming in.
    if (m_port->cInBufferCount() != 0)
        m_lastReceive.start();
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
    linkLost(description);
}

void frmMain::COMp_deviceGone()
{
    // A lost port while idle switches back without a word, as the
    // connection check would a second later; a transfer must say why it ended.
    if (m_transfer)
        linkLost(QStringLiteral("Fehler beim Zugriff auf ") + m_port->portLabel() + QStringLiteral(" ..."));
    else
        TimerChk_Timer();
}

void frmMain::linkLost(const QString &description)
{
    const QString text = QStringLiteral("  ") + description + QStringLiteral("  ");
    if (m_transfer) {
        // The transfer ends at its next step and shows the message then.
        if (m_linkError.isEmpty())
            m_linkError = text;
        return;
    }
    if (connected())
        TimerChk_Timer();
    showError(text);
}
