// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingDialogs.h"

void RecordingDialogs::stopMessage(QWidget *, const QString &text, const QString &title)
{
    messages.append({text, title});
    if (onMessage)
        onMessage(messages.constLast());
}

QString RecordingDialogs::fileDialog(QWidget *, int mode, const QString &initialPath,
                                     const QString &title, const QString &filter,
                                     const QStringList &places)
{
    fileRequests.append({mode, initialPath, title, filter, places});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

Dialogs::Answer RecordingDialogs::askSave(QWidget *, const QString &text, const QString &title)
{
    questions.append({text, title});
    return saveAnswers.isEmpty() ? Answer::Discard : saveAnswers.takeFirst();
}
