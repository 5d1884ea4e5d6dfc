// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The one state that says which commands the window takes: connected to the
// receiver or not, and whether it is idle, busy with the receiver or
// rebuilding the list. Commands run only while idle, so nothing the user does
// runs in the middle of a transfer or a rebuild that yields to the event loop.
class CommandState : public QObject
{
    Q_OBJECT

public:
    enum class Activity {
        Idle,
        Transfer,   // a receiver command runs
        Rebuild,    // the list fills line by line
    };

    using QObject::QObject;

    bool connected() const { return m_connected; }
    // Until start-up has set the connection layout, the port commands wait too.
    bool connectionKnown() const { return m_connectionKnown; }
    bool portsListed() const { return m_portsListed; }
    Activity activity() const { return m_activity; }
    bool idle() const { return m_activity == Activity::Idle; }
    // The busy lock of a download or upload: the editor is held too.
    bool locked() const { return m_locked; }

    void setConnected(bool connected);
    void setPortsListed(bool listed);
    void setActivity(Activity activity);
    void setLocked(bool locked);

    // The list is rebuilt while this lives; a transfer that holds already goes on holding.
    class Rebuild
    {
    public:
        explicit Rebuild(CommandState *state);
        ~Rebuild();
        Rebuild(const Rebuild &) = delete;
        Rebuild &operator=(const Rebuild &) = delete;

    private:
        CommandState *m_state;
        bool m_held;
    };

signals:
    void changed();

private:
    // Every change of the state is said once; setting what is already there says nothing.
    template<typename T>
    void change(T &field, T value)
    {
        if (field == value)
            return;
        field = value;
        emit changed();
    }

    bool m_connected = false;
    bool m_connectionKnown = false;
    // Until the first fill of the port list, the toggle is as the form has it.
    bool m_portsListed = true;
    Activity m_activity = Activity::Idle;
    bool m_locked = false;
};
