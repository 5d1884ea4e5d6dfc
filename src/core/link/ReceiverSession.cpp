// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ReceiverSession.h"

#include "link/EntryCommand.h"
#include "serial/clsCommPort.h"

const QString ReceiverSession::kLineSettings = QStringLiteral("115200,N,8,1");

ReceiverSession::ReceiverSession(QObject *parent)
    : QObject(parent), m_port(new clsCommPort(this)), m_engine(new TransferEngine(m_port, this))
{
}

ReceiverSession::Opening ReceiverSession::open(const QString &path, qint16 number, PortProblem::Source source)
{
    m_port->setCPort(number);
    m_port->setCPortPath(path);
    m_port->setCSettings(kLineSettings);
    m_port->setPollInterval(kPollIntervalMs);
    try {
        m_port->cClose();
        m_port->cOpen(true);
    } catch (const std::exception &) {
        // The port has closed itself; the diagnosis below says why.
    }
    Opening o;
    o.open = m_port->IsOpen();
    if (o.open)
        return o;
    const PortProblem::Diagnosis d = PortProblem::diagnose(path, m_port->portLabel(), source, m_port->openError(),
                                                           m_port->openErrorText());
    // An unexplained refusal would only repeat the platform's silence.
    if (d.kind != PortProblem::Kind::Other || m_port->openError() != QSerialPort::NoError)
        o.why = d.text;
    return o;
}

ReceiverSession::Download ReceiverSession::download(const MemoryTable &current)
{
    Download d;
    d.table = current;
    d.outcome = m_engine->ReadData(d.table, d.values);
    if (d.outcome.status == TransferEngine::Status::Done)
        d.table.buildFromRawLines();
    return d;
}

ReceiverSession::ChangedUpload ReceiverSession::uploadChanged(const MemoryTable &table, int lines, const Ready &ready)
{
    ChangedUpload up;
    m_engine->clearAbort();
    Download d = download(table);
    up.outcome = d.outcome;
    if (d.outcome.status != TransferEngine::Status::Done)
        return up;
    up.receiver = std::move(d.table);
    QList<int> numbers;
    const Bands::Limits &limits = up.receiver.limits();
    for (int n = 1; n <= qMin(lines, table.size()); ++n) {
        if (n > up.receiver.size() || !EntryCommand::sameOnReceiver(table.entry(n), up.receiver.entry(n), limits))
            numbers << n;
    }
    if (m_engine->abortRequested() || (ready && !ready(up.receiver, numbers))) {
        up.outcome = TransferEngine::Outcome();
        up.outcome.status = TransferEngine::Status::Aborted;
        return up;
    }
    up.sent = numbers;
    up.outcome = numbers.isEmpty() ? TransferEngine::Outcome() : m_engine->SendData(table, numbers);
    return up;
}
