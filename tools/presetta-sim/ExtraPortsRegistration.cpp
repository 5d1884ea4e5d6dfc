#include "ExtraPortsRegistration.h"

#include "identity/ProgramIdentity.h"
#include "settings/Registry.h"

#include <QVariant>

QString ExtraPortsRegistration::valuePath()
{
    return ProgramIdentity::settingsPath() + QStringLiteral("\\ExtraPorts");
}

QString ExtraPortsRegistration::elementFor(const QString &devicePath)
{
    return devicePath + QStringLiteral("|Receiver simulator");
}

QStringList ExtraPortsRegistration::currentList()
{
    const QVariant v = mRegistry2::Registry(valuePath());
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList();
    // A single text written by hand counts as a list of one.
    if (v.typeId() == QMetaType::QString && !v.toString().isEmpty())
        return {v.toString()};
    return {};
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
    mRegistry2::Registry(valuePath(), 0, QVariant(list));
}

void ExtraPortsRegistration::remove()
{
    if (m_element.isEmpty())
        return;
    QStringList list = currentList();
    list.removeAll(m_element);
    m_element.clear();
    if (list.isEmpty())
        mRegistry2::DeleteValue(valuePath());
    else
        mRegistry2::Registry(valuePath(), 0, QVariant(list));
}
