// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QListView>

// The memory list's view. Letters typed on it find a station by its name, as
// in a file manager, not by the start of its line as Qt's own search would:
// the view only gathers what is typed, the list part finds it.
class ChannelListView : public QListView
{
    Q_OBJECT

public:
    using QListView::QListView;

    void keyboardSearch(const QString &search) override;

signals:
    // Everything typed so far: letters in quick succession make one word.
    void typed(const QString &text);

private:
    QString m_typed;
    QElapsedTimer m_lastKey;
};
