// SPDX-License-Identifier: GPL-3.0-or-later
// Line settings, time-outs, line control and the status report of clsCommPort.
#include "serial/clsCommPort.h"

#include "text/NumberRule.h"
#include "serial/SerialHandle.h"
#include "serial/SerialLineMapping.h"

void clsCommPort::setCParity(quint8 v)
{
    m_parity = (v >= 1 && v <= 4) ? v : 0;
}

double clsCommPort::cStopBits() const
{
    switch (m_stopCode) {
    case 1: return 1.5;
    case 2: return 2.0;
    default: return 1.0;
    }
}

void clsCommPort::setCStopBits(double v)
{
    const qint64 tenths = NumberRule::roundHalfEven(v * 10.0);
    m_stopCode = tenths == 15 ? 1 : tenths == 20 ? 2 : 0;
}

void clsCommPort::setPDtrFlowType(quint8 v)
{
    m_flags.dtrControl = v <= 2 ? v : 0;
}

void clsCommPort::setPRtsFlowControl(quint8 v)
{
    m_flags.rtsControl = v <= 3 ? v : 0;
}

quint32 clsCommPort::pSetBitFieldsInfo() const
{
    return m_flags.toWord(m_parity != 0);
}

void clsCommPort::pGetBitFieldsInfo(quint32 flagsWord)
{
    m_flags = LineFlags::fromWord(flagsWord);
}

DeviceControlBlock clsCommPort::deviceControlBlock() const
{
    DeviceControlBlock dcb;
    dcb.length = DeviceControlBlock::kLength;
    dcb.flags = pSetBitFieldsInfo();
    dcb.baudRate = static_cast<quint32>(m_baudRate);
    dcb.xonLimit = static_cast<quint16>(m_xonLim);
    dcb.xoffLimit = static_cast<quint16>(m_xoffLim);
    dcb.parity = m_parity;
    dcb.stopBits = m_stopCode;
    dcb.xonChar = m_xonChar;
    dcb.xoffChar = m_xoffChar;
    dcb.errorChar = m_errorChar;
    dcb.eofChar = m_eofChar;
    dcb.evtChar = m_evtChar;
    dcb.byteSize = m_dataBits;
    return dcb;
}

void clsCommPort::takeDeviceControlBlock(const DeviceControlBlock &dcb)
{
    pGetBitFieldsInfo(dcb.flags);
    m_baudRate = static_cast<qint32>(dcb.baudRate);
    m_xonLim = static_cast<qint16>(dcb.xonLimit);
    m_xoffLim = static_cast<qint16>(dcb.xoffLimit);
    m_parity = dcb.parity;
    m_stopCode = dcb.stopBits;
    m_xonChar = dcb.xonChar;
    m_xoffChar = dcb.xoffChar;
    m_errorChar = dcb.errorChar;
    m_eofChar = dcb.eofChar;
    m_evtChar = dcb.evtChar;
    m_dataBits = dcb.byteSize;
}

void clsCommPort::pSetComSettings()
{
    if (!(m_held && SerialLineMapping::apply(m_port, deviceControlBlock())))
        failureSequence("pSetComSettings");
    pSetTimeoutSettings();
    pReadComSettings();
}

void clsCommPort::pReadComSettings()
{
    // The properties are the one copy of the settings; the record is made
    // from them for the exchange and read back from the device. Without a
    // device the round trip through the record is all that happens.
    DeviceControlBlock dcb = deviceControlBlock();
    if (m_held)
        SerialLineMapping::read(m_port, dcb);
    takeDeviceControlBlock(dcb);
    pReadTimeoutSettings();
}

// QSerialPort has no time-outs of its own (this object only ever reads what
// is queued), so the device's five values are kept here while it is held.
bool clsCommPort::getCommTimeouts(CommTimeouts *out) const
{
    if (!m_held || !m_port.isOpen())
        return false;
    *out = m_deviceTimeouts;
    return true;
}

bool clsCommPort::setCommTimeouts(const CommTimeouts &in)
{
    if (!m_held || !m_port.isOpen())
        return false;
    m_deviceTimeouts = in;
    return true;
}

void clsCommPort::pReadTimeoutSettings()
{
    m_timeouts = {};
    if (!m_held)
        return;
    CommTimeouts t;
    if (!getCommTimeouts(&t)) {
        failureSequence("pReadTimeoutSettings");
        return;
    }
    m_timeouts.readInterval = static_cast<qint32>(t.readInterval);
    m_timeouts.readTotalMultiplier = static_cast<qint32>(t.readTotalMultiplier);
    m_timeouts.readTotalConstant = static_cast<qint32>(t.readTotalConstant);
    m_timeouts.writeTotalMultiplier = static_cast<qint32>(t.writeTotalMultiplier);
    m_timeouts.writeTotalConstant = static_cast<qint32>(t.writeTotalConstant);
}

void clsCommPort::pSetTimeoutSettings()
{
    if (!m_held)
        return;
    CommTimeouts t;
    t.readInterval = static_cast<quint32>(m_timeouts.readInterval);
    t.readTotalMultiplier = static_cast<quint32>(m_timeouts.readTotalMultiplier);
    t.readTotalConstant = static_cast<quint32>(m_timeouts.readTotalConstant);
    t.writeTotalMultiplier = static_cast<quint32>(m_timeouts.writeTotalMultiplier);
    t.writeTotalConstant = static_cast<quint32>(m_timeouts.writeTotalConstant);
    if (!setCommTimeouts(t))
        failureSequence("pSetTimeoutSettings");
}

bool clsCommPort::pDTR(bool value)
{
    return m_held && m_port.setDataTerminalReady(value);
}

bool clsCommPort::pRTS(bool value)
{
    return m_held && m_port.setRequestToSend(value);
}

bool clsCommPort::pTXD(bool value)
{
    return m_held && m_port.setBreakEnabled(value);
}

QString clsCommPort::GetStatus()
{
    DeviceQueues queues;
    if (!queryDevice(&queues)) {
        failureSequence("GetStatus");
        return QString();
    }
    // The hold flags have no counterpart here: output is never held.
    const QString no = QStringLiteral("False");
    const QString eol = QStringLiteral("\r\n");
    QString s;
    s += QStringLiteral("Bytes im Eingangspuffer: ") + QString::number(queues.input) + eol;
    s += QStringLiteral("Bytes im Ausgangspuffer: ") + QString::number(queues.output) + eol;
    s += QStringLiteral("Waiting for CTS signal = ") + no + eol;
    s += QStringLiteral("Waiting for DSR signal = ") + no + eol;
    s += QStringLiteral("Waiting for RLSD (DCD) signal = ") + no + eol;
    s += QStringLiteral("Waiting for XOFF char rec  = ") + no + eol;
    s += QStringLiteral("Waiting for XOFF char sent = ") + no + eol;
    s += QStringLiteral("EOF character sent = ") + no + eol;
    s += QStringLiteral("Character waiting for Tx  = ") + no + eol;
    return s;
}
