// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

// A button disabled while its command runs hands the focus on to the next
// control. This gives it back when the command is over, unless something
// was given the focus on purpose meanwhile.
class FocusKeeper
{
public:
    // Before the controls are disabled.
    void hold() { m_had = QApplication::focusWidget(); }
    // Right after: where the focus went.
    void moved() { m_movedTo = QApplication::focusWidget(); }
    void giveBack()
    {
        QWidget *now = QApplication::focusWidget();
        if (m_had && m_had != now && now == m_movedTo.data() && m_had->isEnabled())
            m_had->setFocus();
    }

private:
    QPointer<QWidget> m_had;
    QPointer<QWidget> m_movedTo;
};
