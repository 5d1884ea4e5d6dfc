// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtraPortsRegistration.h"

#include "settings/ProgramSettings.h"

#include <QVariant>

QString ExtraPortsRegistration::elementFor(const QString &devicePath)
{
    return devicePath + QStringLiteral("|Receiver simulator");
}

QStringList ExtraPortsRegistration::currentList()
{
    return ProgramSettings().extraPorts();
}

ExtraPortsRegistration::~ExtraPortsRegistration()
{
    remove();
}

void ExtraPortsRegistration::add(const QString &devicePath)
{
    remove();
    m_element = elementFor(devicePath);
    QStringList list = currentList();
    if (!list.contains(m_element))
        list << m_element;
    ProgramSettings().setExtraPorts(list);
}

void ExtraPortsRegistration::remove()
{
    if (m_element.isEmpty())
        return;
    QStringList list = currentList();
    list.removeAll(m_element);
    m_element.clear();
    ProgramSettings().setExtraPorts(list);
}
