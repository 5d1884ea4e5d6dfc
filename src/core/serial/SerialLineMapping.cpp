// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/SerialLineMapping.h"

#include "serial/LineFlags.h"
#include "serial/SerialHandle.h"

#include <QSerialPort>

#include <limits>

namespace SerialLineMapping {

namespace {
bool parityFor(quint8 code, QSerialPort::Parity *out)
{
    switch (code) {
    case 0: *out = QSerialPort::NoParity; return true;
    case 1: *out = QSerialPort::OddParity; return true;
    case 2: *out = QSerialPort::EvenParity; return true;
    case 3: *out = QSerialPort::MarkParity; return true;
    case 4: *out = QSerialPort::SpaceParity; return true;
    default: return false;
    }
}

quint8 parityCode(QSerialPort::Parity p)
{
    switch (p) {
    case QSerialPort::OddParity: return 1;
    case QSerialPort::EvenParity: return 2;
    case QSerialPort::MarkParity: return 3;
    case QSerialPort::SpaceParity: return 4;
    default: return 0;
    }
}

bool stopBitsFor(quint8 code, QSerialPort::StopBits *out)
{
    switch (code) {
    case 0: *out = QSerialPort::OneStop; return true;
    case 2: *out = QSerialPort::TwoStop; return true;
#if defined(Q_OS_WIN)
    case 1: *out = QSerialPort::OneAndHalfStop; return true;
#endif
    // termios has no one and a half stop bits; QSerialPort would quietly
    // send one, so refuse it as the device would.
    default: return false;
    }
}

quint8 stopCode(QSerialPort::StopBits s)
{
    switch (s) {
    case QSerialPort::OneAndHalfStop: return 1;
    case QSerialPort::TwoStop: return 2;
    default: return 0;
    }
}

// One flow control only: hardware wins when both are asked for.
QSerialPort::FlowControl flowFor(const LineFlags &f)
{
    if (f.ctsFlow || f.rtsControl == LineFlags::ControlHandshake)
        return QSerialPort::HardwareControl;
    if (f.xonOffOut || f.xonOffIn)
        return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

// Correct the flow flags only where the port contradicts them, so values the
// port cannot express read back as they were written.
void matchFlow(QSerialPort::FlowControl flow, LineFlags &f)
{
    const bool hardware = flow == QSerialPort::HardwareControl;
    const bool software = flow == QSerialPort::SoftwareControl;
    if (hardware) {
        if (!f.ctsFlow && f.rtsControl != LineFlags::ControlHandshake) {
            f.ctsFlow = true;
            f.rtsControl = LineFlags::ControlHandshake;
        }
    } else {
        f.ctsFlow = false;
        if (f.rtsControl == LineFlags::ControlHandshake)
            f.rtsControl = LineFlags::ControlOn;
    }
    if (software) {
        if (!f.xonOffOut && !f.xonOffIn)
            f.xonOffOut = f.xonOffIn = true;
    } else {
        f.xonOffOut = f.xonOffIn = false;
    }
}
} // namespace

bool apply(QSerialPort &port, const DeviceControlBlock &record)
{
    if (!port.isOpen())
        return false;
    // Zero would hang the line up; beyond the signed range QSerialPort cannot go.
    if (record.baudRate == 0 || record.baudRate > static_cast<quint32>(std::numeric_limits<qint32>::max()))
        return false;
    if (record.byteSize < 5 || record.byteSize > 8)
        return false;
    QSerialPort::Parity parity;
    QSerialPort::StopBits stop;
    if (!parityFor(record.parity, &parity) || !stopBitsFor(record.stopBits, &stop))
        return false;
    return port.setBaudRate(static_cast<qint32>(record.baudRate))
        && port.setDataBits(static_cast<QSerialPort::DataBits>(record.byteSize))
        && port.setParity(parity)
        && port.setStopBits(stop)
        && port.setFlowControl(flowFor(LineFlags::fromWord(record.flags)));
}

bool read(const QSerialPort &port, DeviceControlBlock &record)
{
    if (!port.isOpen())
        return false;
    record.baudRate = static_cast<quint32>(port.baudRate());
    QSerialPort::FlowControl flow = port.flowControl();
    SerialHandle::LineState line;
    if (SerialHandle::readLineState(port.handle(), &line)) {
        record.byteSize = line.dataBits;
        record.parity = line.parity;
        record.stopBits = line.stopCode;
        flow = line.hardwareFlow ? QSerialPort::HardwareControl
            : line.softwareFlow  ? QSerialPort::SoftwareControl
                                 : QSerialPort::NoFlowControl;
    } else {
        record.byteSize = static_cast<quint8>(port.dataBits());
        record.parity = parityCode(port.parity());
        record.stopBits = stopCode(port.stopBits());
    }

    constexpr quint32 flowBits = LineFlags::CtsOutFlow | LineFlags::XonOffOut | LineFlags::XonOffIn
        | LineFlags::RtsControlLow | LineFlags::RtsControlHigh;
    LineFlags f = LineFlags::fromWord(record.flags);
    matchFlow(flow, f);
    record.flags = (record.flags & ~flowBits) | (f.toWord(false) & flowBits);
    return true;
}

} // namespace SerialLineMapping
