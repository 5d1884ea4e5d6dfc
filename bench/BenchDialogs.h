#pragma once

#include "Dialogs.h"

#include <QStringList>

// Dialogs that never block a measured run: message boxes are kept (a run
// that showed one did not do what it should), beeps are counted.
class BenchDialogs : public Dialogs
{
public:
    void stopMessage(QWidget *parent, const QString &text, const QString &title) override;
    void beep() override { ++m_beeps; }
    QString fileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                       const QString &filter) override;

    QStringList messages() const { return m_messages; }
    int beeps() const { return m_beeps; }

private:
    QStringList m_messages;
    int m_beeps = 0;
};
