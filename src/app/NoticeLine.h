// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class QLabel;

// A line over the foot of the list that says how far a transfer is and,
// afterwards, what came of it, without a box to close: a word that goes by
// itself. Assistive tools read it as the label's name.
class NoticeLine : public QObject
{
    Q_OBJECT

public:
    static constexpr int kShownMs = 6000;

    explicit NoticeLine(QLabel *label, QObject *parent = nullptr);

    // Shown until the next word: how far something is.
    void progress(const QString &text);
    // Shown for a while, then gone: what came of it.
    void say(const QString &text);
    void clear();
    QString text() const;

private:
    void show(const QString &text);

    QLabel *m_label;
    QTimer m_hide;
};
