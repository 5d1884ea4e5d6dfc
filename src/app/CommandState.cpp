// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandState.h"

void CommandState::setConnected(bool connected)
{
    if (m_connectionKnown && connected == m_connected)
        return;
    m_connected = connected;
    m_connectionKnown = true;
    emit changed();
}

void CommandState::setPortsListed(bool listed)
{
    if (listed == m_portsListed)
        return;
    m_portsListed = listed;
    emit changed();
}

void CommandState::setActivity(Activity activity)
{
    if (activity == m_activity)
        return;
    m_activity = activity;
    emit changed();
}

void CommandState::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    emit changed();
}

CommandState::Rebuild::Rebuild(CommandState *state) : m_state(state), m_held(state->idle())
{
    if (m_held)
        m_state->setActivity(Activity::Rebuild);
}

CommandState::Rebuild::~Rebuild()
{
    if (m_held)
        m_state->setActivity(Activity::Idle);
}
