// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"

#include <QStringList>

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
        QString initialPath;
        QString title;
    };

    void stopMessage(QWidget *, const QString &text, const QString &title, std::function<void()> then = {}) override
    {
        messages.append({text, title});
        if (then)
            then();
    }
    void afterMessages(std::function<void()> fn) override { fn(); }
    void beep() override { ++beeps; }
    QString fileDialog(QWidget *, int, const QString &initialPath, const QString &title, const QString &,
                       const QStringList & = {}) override
    {
        fileRequests.append({initialPath, title});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
    Answer askSave(QWidget *, const QString &text, const QString &title) override
    {
        questions.append({text, title});
        return saveAnswers.isEmpty() ? Answer::Discard : saveAnswers.takeFirst();
    }
    void editChannels(QWidget *, int, const QStringList &, const QStringList &, ChannelEdit then) override
    {
        if (!editAnswers.isEmpty()) {
            const QStringList chosen = editAnswers.takeFirst();
            then(chosen.value(0), chosen.value(1));
        }
    }

    int beeps = 0;
    QList<Message> messages;
    QList<FileRequest> fileRequests;
    // Answers of the next file dialogs, first in first out; "" (cancel) when none is left.
    QStringList fileAnswers;
    // Questions asked before changes are thrown away, and the answers to give
    // (Discard when none is left).
    QList<Message> questions;
    QList<Answer> saveAnswers;
    // The bandwidth and stereo items chosen in the next channel edits; cancelled when none is left.
    QList<QStringList> editAnswers;
};
