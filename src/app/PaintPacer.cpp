// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintPacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

PaintPacer::PaintPacer(QWidget *widget) : m_window(widget->window())
{
    m_frame.start();
    m_window->installEventFilter(this);
}

PaintPacer::~PaintPacer()
{
    m_window->removeEventFilter(this);
    if (m_held)
        release();
}

void PaintPacer::step()
{
    if (m_held && m_frame.hasExpired(kFrameMs))
        release();
}

void PaintPacer::release()
{
    m_held = false;
    // As Qt posts its own: painted at the next yield, with whatever else changed.
    QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

bool PaintPacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::UpdateRequest)
        return false;
    if (!m_frame.hasExpired(kFrameMs)) {
        m_held = true;
        return true;
    }
    m_frame.restart();
    return false;
}
