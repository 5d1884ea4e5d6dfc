// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"

#include <QStringList>
#include <functional>

// Dialogs that answer at once and keep what was asked, so widget tests never
// block and never beep for real.
class RecordingDialogs : public Dialogs
{
public:
    struct Message {
        QString text;
        QString title;
    };
    struct FileRequest {
        int mode = 0;
        QString initialPath;
        QString title;
        QString filter;
        QStringList places;
    };

    void stopMessage(QWidget *parent, const QString &text, const QString &title) override;
    void beep() override { ++beeps; }
    QString fileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                       const QString &filter, const QStringList &places = {}) override;
    Answer askSave(QWidget *parent, const QString &text, const QString &title) override;

    int beeps = 0;
    QList<Message> messages;
    QList<FileRequest> fileRequests;
    // Answer of the next file dialogs, first in first out; "" (cancel) when empty.
    QStringList fileAnswers;
    // Questions asked before changes are thrown away, and the answers to give
    // (Discard when none is left).
    QList<Message> questions;
    QList<Answer> saveAnswers;
    // Runs while a message box would be open (for checks of the moment).
    std::function<void(const Message &)> onMessage;
};
