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
    change(m_portsListed, listed);
}

void CommandState::setActivity(Activity activity)
{
    change(m_activity, activity);
}

void CommandState::setLocked(bool locked)
{
    change(m_locked, locked);
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
