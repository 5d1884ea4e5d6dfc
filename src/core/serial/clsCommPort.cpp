// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/clsCommPort.h"

#include "serial/CommPortError.h"
#include "serial/SerialHandle.h"
#include "serial/SettingsText.h"
#include "text/Win1252.h"

#include <QEventLoop>
#include <QFileInfo>

#include <limits>

clsCommPort::clsCommPort(QObject *parent)
    : QObject(parent)
{
    connect(&m_pollTimer, &QTimer::timeout, this, &clsCommPort::xTimerCallback);
    connect(&m_port, &QSerialPort::errorOccurred, this, &clsCommPort::onPortError);
    connect(&m_port, &QSerialPort::readyRead, this, &clsCommPort::onPortReadyRead);
}

clsCommPort::~clsCommPort()
{
    disconnect(&m_port, nullptr, this, nullptr);
    setTimerEnabled(false);
    cClose();
}

// --- naming ----------------------------------------------------------------

QString clsCommPort::deviceName() const
{
    // QSerialPort turns "COM3" into the Windows device and, elsewhere, into
    // /dev/COM3, which does not exist: numbers only name ports on Windows.
    return m_portPath.isEmpty() ? QStringLiteral("COM%1").arg(m_portNumber) : m_portPath;
}

QString clsCommPort::portLabel() const
{
    if (m_portPath.isEmpty())
        return QStringLiteral("COM%1").arg(m_portNumber);
    const QString dev = QStringLiteral("/dev/");
    if (m_portPath.startsWith(dev) && m_portPath.size() > dev.size())
        return m_portPath.mid(dev.size());
    const QString name = QFileInfo(m_portPath).fileName();
    return name.isEmpty() ? m_portPath : name;
}

QString clsCommPort::description() const
{
    return QStringLiteral("Fehler beim Zugriff auf ") + portLabel() + QStringLiteral(" ...");
}

// --- settings text ---------------------------------------------------------

QString clsCommPort::cSettings() const
{
    return SettingsText::format(m_baudRate, m_parity, m_dataBits, m_stopCode);
}

void clsCommPort::setCSettings(const QString &text)
{
    if (IsOpen())
        return;
    const auto fields = SettingsText::parse(text);
    if (!fields)
        return;
    m_baudRate = fields->baudRate;
    setCParity(fields->parity);
    setCDataBits(fields->dataBits);
    setCStopBits(fields->stopBits);
}

// --- open and close --------------------------------------------------------

namespace {
bool canOpen(const QString &name)
{
    QSerialPort probe;
    probe.setPortName(name);
    if (!probe.open(QIODevice::ReadWrite))
        return false;
    probe.close();
    return true;
}
} // namespace

bool clsCommPort::cChkPort(qint16 portNr) const
{
    if (portNr < 1)
        return false;
    return canOpen(QStringLiteral("COM%1").arg(portNr));
}

bool clsCommPort::cOpen(bool internalTimer)
{
    if (IsOpen())
        return false;
    if (cSettings().isEmpty())
        setCSettings(QStringLiteral("9600,N,8,1"));
    m_receiveCount = 0;   // the buffer keeps its bytes
    if (m_portNumber == 0)
        m_portNumber = 1;

    if (!m_held) {
        releaseGonePort();
        m_port.setPortName(deviceName());
        m_openError = QSerialPort::NoError;
        m_openErrorText.clear();
        if (m_port.open(QIODevice::ReadWrite)) {
            m_held = true;
            m_readErrors = 0;
            m_deviceTimeouts = CommTimeouts();
            // A failure here has closed the port already; the remaining steps
            // then find no device, and the caller learns it from IsOpen().
            runStepQuietly(&clsCommPort::pSetComSettings);
            runStepQuietly(&clsCommPort::pReadComSettings);
            runStepQuietly(&clsCommPort::ReceiveBuffer);
            setPollInterval(m_pollInterval == 0 ? 100 : m_pollInterval);
            m_internalTimer = internalTimer;
            if (internalTimer)
                setTimerEnabled(true);
            return true;
        }
        m_openError = m_port.error();
        m_openErrorText = m_port.errorString();
    }
    setTimerEnabled(false);
    if (IsOpen())
        cClose();
    return false;
}

void clsCommPort::runStepQuietly(void (clsCommPort::*step)())
{
    try {
        (this->*step)();
    } catch (const CommPortError &) {
        setTimerEnabled(false);
        if (IsOpen())
            cClose();
    }
}

bool clsCommPort::cClose()
{
    releaseGonePort();
    if (!m_held)
        return false;
    m_port.close();
    m_held = false;
    if (m_internalTimer) {
        m_internalTimer = false;
        setTimerEnabled(false);
    }
    return true;
}

bool clsCommPort::IsOpen()
{
    if (!m_held)
        return false;
    if (!m_port.isOpen() || SerialHandle::hungUp(m_port.handle())) {
        markGone();
        return false;
    }
    return true;
}

// --- a device that went away -----------------------------------------------

// A vanished device makes QSerialPort raise read errors without end (its
// reads find end of file) until the port is closed. The first one that the
// line's hang-up state confirms ends it; a lone read error without hang-up is
// a wake-up that found nothing, but a second in a row means the device no
// longer delivers. QSerialPort stops reading after a resource error itself.
void clsCommPort::onPortError(QSerialPort::SerialPortError error)
{
    if (!m_held)
        return;
    switch (error) {
    case QSerialPort::ResourceError:
        markGone();
        break;
    case QSerialPort::ReadError:
        if (SerialHandle::hungUp(m_port.handle()) || ++m_readErrors >= 2)
            markGone();
        break;
    case QSerialPort::WriteError:
        if (SerialHandle::hungUp(m_port.handle()))
            markGone();
        break;
    default:
        break;
    }
}

void clsCommPort::markGone()
{
    if (!m_held)
        return;
    m_held = false;
    ++m_losses;
    m_internalTimer = false;
    setTimerEnabled(false);
    // This may run inside QSerialPort's own notifier, which must not see its
    // port closed under it; the close and the report follow from the loop.
    // Until then further errors of the dead device are ignored.
    m_releasePending = true;
    m_gonePending = true;
    QTimer::singleShot(0, this, &clsCommPort::finishGone);
}

void clsCommPort::releaseGonePort()
{
    if (!m_releasePending)
        return;
    m_releasePending = false;
    m_port.close();
}

void clsCommPort::finishGone()
{
    releaseGonePort();
    if (m_gonePending) {
        m_gonePending = false;
        emit deviceGone();
    }
}

// --- failure ---------------------------------------------------------------

void clsCommPort::failureSequence(const char *operation)
{
    setTimerEnabled(false);
    if (IsOpen())
        cClose();
    if (!m_noError)
        throw CommPortError(QStringLiteral("clsCommPort.") + QLatin1String(operation), description());
}

// --- device queries and transfers -------------------------------------------

bool clsCommPort::queryDevice(DeviceQueues *queues)
{
    if (!IsOpen())
        return false;
    const qintptr h = m_port.handle();
    queues->fetched = m_port.bytesAvailable();
    queues->input = queues->fetched + SerialHandle::unreadBytes(h);
    queues->output = m_port.bytesToWrite() + SerialHandle::unsentBytes(h);
    return true;
}

bool clsCommPort::writeDevice(const QByteArray &bytes)
{
    if (!m_held || !m_port.isOpen())
        return false;
    const qint64 written = m_port.write(bytes);
    // Out now rather than at the next write notification; what the line
    // cannot take at once stays queued in QSerialPort.
    m_port.flush();
    return written == bytes.size() && m_held;
}

void clsCommPort::ReceiveBuffer()
{
    if (!m_held)
        return;
    DeviceQueues queues;
    if (!queryDevice(&queues))
        failureSequence("ReceiveBuffer");
    // Only what QSerialPort has fetched: reading the device here as well
    // would leave its notifier to wake up to nothing and report an error.
    if (queues.fetched > 0 && m_held)
        appendReceived(m_port.read(queues.fetched));
    if (!queryDevice(&queues))
        failureSequence("ReceiveBuffer");
}

void clsCommPort::SendBuffer()
{
    if (!m_held || m_output.isEmpty())
        return;
    const bool ok = writeDevice(Win1252::encode(m_output));
    m_output.clear();
    if (!ok)
        failureSequence("SendBuffer");
}

// --- receive buffer --------------------------------------------------------

void clsCommPort::appendReceived(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_received.append(bytes);
    m_receiveCount += bytes.size();
    // A wait sleeping for these bytes takes them now.
    if (m_passLoop)
        m_passLoop->quit();
}

QString clsCommPort::takeReceived()
{
    const QString text = Win1252::decode(m_received);
    clearReceived();
    return text;
}

void clsCommPort::clearReceived()
{
    m_received.clear();
    m_receiveCount = 0;
}

QString clsCommPort::cInput()
{
    return m_receiveCount > 0 ? takeReceived() : QString();
}

qint32 clsCommPort::cInBufferCount() const
{
    if (m_receiveCount == 0)
        return 0;
    return static_cast<qint32>(qMin<qsizetype>(m_received.size(), std::numeric_limits<qint32>::max()));
}
