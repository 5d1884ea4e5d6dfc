// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The master side of a pseudo-terminal; the program under test opens the
// slave path like any serial port. Everything is non-blocking and driven by
// socket notifiers.
//
// A slave descriptor of our own stays open while the terminal is open, so the
// master never reads EIO when the program closes its side. Closing (hanging
// up) shuts both, after which the program's reads fail.
class PseudoTerminal : public QObject
{
    Q_OBJECT

public:
    explicit PseudoTerminal(QObject *parent = nullptr);
    ~PseudoTerminal() override;

    bool open(QString *error);
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_path; }

    // Queues bytes for the program; what the terminal cannot take yet waits
    // here until it can. Dropped when closed.
    void write(const QByteArray &bytes);
    qint64 pendingBytes() const { return m_out.size(); }

    // Bytes sent to the program that it has not read yet (best effort).
    int unreadBySlave() const;

signals:
    void bytesReceived(const QByteArray &bytes);
    void allWritten();
    void failed(const QString &why);

private:
    void onReadable();
    void onWritable();
    void flush();
    void fail(const QString &why);

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QByteArray m_out;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
};
