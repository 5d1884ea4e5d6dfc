// SPDX-License-Identifier: GPL-3.0-or-later
#include "NoticeLine.h"

#include <QLabel>

NoticeLine::NoticeLine(QLabel *label, QObject *parent) : QObject(parent), m_label(label)
{
    m_label->setAutoFillBackground(true);
    m_label->setBackgroundRole(QPalette::ToolTipBase);
    m_label->setForegroundRole(QPalette::ToolTipText);
    m_label->setFrameShape(QFrame::Box);
    m_label->hide();
    m_hide.setSingleShot(true);
    m_hide.setInterval(kShownMs);
    connect(&m_hide, &QTimer::timeout, this, &NoticeLine::clear);
}

void NoticeLine::show(const QString &text)
{
    m_label->setText(text);
    // The name is what a screen reader announces when it changes.
    m_label->setAccessibleName(text);
    m_label->raise();
    m_label->show();
}

void NoticeLine::progress(const QString &text)
{
    m_hide.stop();
    show(text);
}

void NoticeLine::say(const QString &text)
{
    show(text);
    m_hide.start();
}

void NoticeLine::clear()
{
    m_hide.stop();
    m_label->hide();
    m_label->clear();
    m_label->setAccessibleName(tr("Status"));
}

QString NoticeLine::text() const
{
    return m_label->isHidden() ? QString() : m_label->text();
}
