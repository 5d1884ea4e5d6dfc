// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelListView.h"

#include <QApplication>

void ChannelListView::keyboardSearch(const QString &search)
{
    // The same pause as Qt's own search ends a word.
    const bool goesOn = m_lastKey.isValid() && m_lastKey.elapsed() <= QApplication::keyboardInputInterval();
    m_lastKey.start();
    m_typed = goesOn ? m_typed + search : search;
    if (!m_typed.isEmpty())
        emit typed(m_typed);
}
