// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/CommTimeouts.h"
#include "serial/DeviceControlBlock.h"
#include "serial/LineFlags.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <functional>

class QEventLoop;

// The program's only door to a serial line. It never blocks on the device:
// a poll on a timer moves received bytes into the receive buffer and writes
// the pending output, and the waits sleep in the event loop while the poll
// runs. Failures are reported by throwing CommPortError after the port has
// been closed; a failure inside a timer-driven poll has no caller to catch
// it and is told through failure() instead.
//
// A device that goes away (far end of a pseudo-terminal closed, adapter
// pulled) is noticed at once: the poll stops, the port is released, IsOpen()
// turns False and deviceGone() is emitted once. That is the only report of
// the loss; failure() is not emitted for it as well.
class clsCommPort : public QObject
{
    Q_OBJECT

public:
    explicit clsCommPort(QObject *parent = nullptr);
    ~clsCommPort() override;

    clsCommPort(const clsCommPort &) = delete;
    clsCommPort &operator=(const clsCommPort &) = delete;

    // --- port, state, open and close -------------------------------------

    qint16 cPort() const { return m_portNumber; }
    void setCPort(qint16 number) { m_portNumber = number; }
    // A device path to open instead of COM<cPort> (the way ports are named on
    // POSIX). Empty means use the number.
    QString cPortPath() const { return m_portPath; }
    void setCPortPath(const QString &path) { m_portPath = path; }
    // The port as failure descriptions name it: "COM3", "ttyUSB0", "pts/4".
    QString portLabel() const;

    QString cSettings() const;
    void setCSettings(const QString &text);

    bool cChkPort(qint16 portNr) const;
    bool cOpen(bool internalTimer);
    bool cClose();
    // True while the device is held and present.
    bool IsOpen();
    // Why the last cOpen could not open the device, as the platform says.
    QSerialPort::SerialPortError openError() const { return m_openError; }
    QString openErrorText() const { return m_openErrorText; }
    // Devices that went away while held, so far: tells a pulled adapter from a failing line.
    quint32 losses() const { return m_losses; }

    // --- receive and send --------------------------------------------------

    QString cInput();
    qint32 cInBufferCount() const;
    qint64 ReceiveCnt() const { return m_receiveCount; }
    void cOutput(const QString &value) { m_output = value; }
    qint32 cOutBufferCount() const { return static_cast<qint32>(m_output.size()); }
    void SendBuffer();
    void ReceiveBuffer();

    // Waits, in seconds. They sleep PollInterval ms per pass in the event loop
    // and empty the receive buffer when they end.
    QString cReadLine(float timeOut);
    QString cWaitForData(float timeOut);
    QString cWaitForBytes(qint32 numOfBytes, float timeOut);

    bool xNoError() const { return m_noError; }
    void setXNoError(bool on) { m_noError = on; }
    bool xDebug() const { return m_debug; }
    void setXDebug(bool on) { m_debug = on; }
    QString pGetLogString() const { return m_log; }

    // --- line settings -----------------------------------------------------

    qint32 cBaudRate() const { return m_baudRate; }
    void setCBaudRate(qint32 v) { m_baudRate = v; }
    quint8 cDataBits() const { return m_dataBits; }
    void setCDataBits(quint8 v) { m_dataBits = v; }
    quint8 cParity() const { return m_parity; }
    void setCParity(quint8 v);
    double cStopBits() const;
    void setCStopBits(double v);
    quint8 stopBitsCode() const { return m_stopCode; }
    qint16 XOnLim() const { return m_xonLim; }
    void setXOnLim(qint16 v) { m_xonLim = v; }
    qint16 pXOffLim() const { return m_xoffLim; }
    void setPXOffLim(qint16 v) { m_xoffLim = v; }
    quint8 pXOnChar() const { return m_xonChar; }
    void setPXOnChar(quint8 v) { m_xonChar = v; }
    quint8 pXOffChar() const { return m_xoffChar; }
    void setPXOffChar(quint8 v) { m_xoffChar = v; }
    quint8 sErrorChar() const { return m_errorChar; }
    void setSErrorChar(quint8 v) { m_errorChar = v; }
    quint8 sEofChar() const { return m_eofChar; }
    void setSEofChar(quint8 v) { m_eofChar = v; }
    quint8 sEvtChar() const { return m_evtChar; }
    void setSEvtChar(quint8 v) { m_evtChar = v; }

    bool pEnableParity() const { return m_flags.enableParity; }
    void setPEnableParity(bool on) { m_flags.enableParity = on; }
    bool pEnableCtsFlow() const { return m_flags.ctsFlow; }
    void setPEnableCtsFlow(bool on) { m_flags.ctsFlow = on; }
    bool pEnableDsrFlow() const { return m_flags.dsrFlow; }
    void setPEnableDsrFlow(bool on) { m_flags.dsrFlow = on; }
    quint8 pDtrFlowType() const { return m_flags.dtrControl; }
    void setPDtrFlowType(quint8 v);
    bool pEnableDSRSensitive() const { return m_flags.dsrSensitive; }
    void setPEnableDSRSensitive(bool on) { m_flags.dsrSensitive = on; }
    bool pEnableXoffContinuesTx() const { return m_flags.xoffContinuesTx; }
    void setPEnableXoffContinuesTx(bool on) { m_flags.xoffContinuesTx = on; }
    bool pEnableXonOffOut() const { return m_flags.xonOffOut; }
    void setPEnableXonOffOut(bool on) { m_flags.xonOffOut = on; }
    bool pEnableXonOffIn() const { return m_flags.xonOffIn; }
    void setPEnableXonOffIn(bool on) { m_flags.xonOffIn = on; }
    bool pEnableErrReplace() const { return m_flags.errorReplace; }
    void setPEnableErrReplace(bool on) { m_flags.errorReplace = on; }
    bool pEnableNullStrip() const { return m_flags.nullStrip; }
    void setPEnableNullStrip(bool on) { m_flags.nullStrip = on; }
    quint8 pRtsFlowControl() const { return m_flags.rtsControl; }
    void setPRtsFlowControl(quint8 v);
    bool pEnableAbortOnError() const { return m_flags.abortOnError; }
    void setPEnableAbortOnError(bool on) { m_flags.abortOnError = on; }

    qint32 pReadIntervalTimeout() const { return m_timeouts.readInterval; }
    void setPReadIntervalTimeout(qint32 v) { m_timeouts.readInterval = v; }
    qint32 pReadTotalTimeoutMultiplier() const { return m_timeouts.readTotalMultiplier; }
    void setPReadTotalTimeoutMultiplier(qint32 v) { m_timeouts.readTotalMultiplier = v; }
    qint32 pReadTotalTimeoutConstant() const { return m_timeouts.readTotalConstant; }
    void setPReadTotalTimeoutConstant(qint32 v) { m_timeouts.readTotalConstant = v; }
    qint32 pWriteTotalTimeoutMultiplier() const { return m_timeouts.writeTotalMultiplier; }
    void setPWriteTotalTimeoutMultiplier(qint32 v) { m_timeouts.writeTotalMultiplier = v; }
    qint32 pWriteTotalTimeoutConstant() const { return m_timeouts.writeTotalConstant; }
    void setPWriteTotalTimeoutConstant(qint32 v) { m_timeouts.writeTotalConstant = v; }

    // Exchange of the line settings and time-outs with the device.
    void pSetComSettings();
    void pReadComSettings();
    void pReadTimeoutSettings();
    void pSetTimeoutSettings();
    quint32 pSetBitFieldsInfo() const;
    void pGetBitFieldsInfo(quint32 flagsWord);
    // The device-control record of the current settings, made when asked.
    DeviceControlBlock deviceControlBlock() const;

    // Line control; each returns whether the device did it.
    bool pDTR(bool value);
    bool pRTS(bool value);
    bool pTXD(bool value);
    bool sDSR() const { return false; }

    QString GetStatus();

    // --- poll --------------------------------------------------------------

    qint32 PollInterval() const { return m_pollInterval; }
    void setPollInterval(qint32 ms);
    bool TimerEnabled() const { return m_timerEnabled; }
    void setTimerEnabled(bool on);
    // One poll now, for owners that open without the internal timer. A
    // failure report of the poll reaches the caller.
    void TimerPoll();
    qint32 GetEvents() const { return m_eventMask; }

public slots:
    // What the poll timer calls: one poll, with any failure report turned
    // into failure() because no caller is there to catch it.
    void xTimerCallback();

signals:
    void OnComm();
    void OnFlush();
    void OnEvent();
    // A failure report raised inside a timer-driven poll.
    void failure(const QString &description);
    // The device went away while held; emitted once per loss.
    void deviceGone();

private:
    struct DeviceQueues {
        qint64 fetched = 0;   // received and fetched by QSerialPort: readable now
        qint64 input = 0;     // fetched plus what the kernel still holds
        qint64 output = 0;
    };

    QString deviceName() const;
    QString description() const;
    bool held() const { return m_held; }
    // The status query: false when no device answers.
    bool queryDevice(DeviceQueues *queues);
    bool writeDevice(const QByteArray &bytes);
    bool getCommTimeouts(CommTimeouts *out) const;
    bool setCommTimeouts(const CommTimeouts &in);
    void failureSequence(const char *operation);
    void runStepQuietly(void (clsCommPort::*step)());
    void takeDeviceControlBlock(const DeviceControlBlock &dcb);

    void onPortError(QSerialPort::SerialPortError error);
    void onPortReadyRead() { m_readErrors = 0; }
    void markGone();
    void releaseGonePort();
    void finishGone();

    void PollPort();
    int timerPeriod() const;
    int passSleep() const;
    void appendReceived(const QByteArray &bytes);
    QString takeReceived();
    void clearReceived();
    // The loop the three waits share. step returns true to end the wait.
    void waitLoop(double timeOut, const std::function<bool()> &step);
    bool waitPass();

    // line settings
    qint32 m_baudRate = 0;
    quint8 m_parity = 0;
    quint8 m_dataBits = 0;
    quint8 m_stopCode = 0;
    qint16 m_xonLim = 0;
    qint16 m_xoffLim = 0;
    quint8 m_xonChar = 0;
    quint8 m_xoffChar = 0;
    quint8 m_errorChar = 0;
    quint8 m_eofChar = 0;
    quint8 m_evtChar = 0;
    LineFlags m_flags;
    struct {
        qint32 readInterval = 0;
        qint32 readTotalMultiplier = 0;
        qint32 readTotalConstant = 0;
        qint32 writeTotalMultiplier = 0;
        qint32 writeTotalConstant = 0;
    } m_timeouts;
    CommTimeouts m_deviceTimeouts;   // what the open device holds

    // port
    qint16 m_portNumber = 0;
    QString m_portPath;
    QSerialPort m_port;
    bool m_held = false;             // a device handle is held
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    QString m_openErrorText;
    bool m_releasePending = false;   // a vanished device still to be closed
    bool m_gonePending = false;      // deviceGone() still to be emitted
    quint32 m_losses = 0;            // devices lost so far
    int m_readErrors = 0;            // read errors since data last came

    // buffers
    QByteArray m_received;
    qint64 m_receiveCount = 0;
    QString m_output;
    QEventLoop *m_passLoop = nullptr;   // the sleep of the innermost wait pass

    // poll
    QTimer m_pollTimer;
    qint32 m_pollInterval = 0;
    bool m_timerEnabled = false;
    bool m_internalTimer = false;
    qint32 m_lastOutputLength = 0;
    qint32 m_eventMask = 0;

    bool m_noError = false;
    bool m_debug = false;
    QString m_log;
};
