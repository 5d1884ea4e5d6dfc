#pragma once

#include "BenchDialogs.h"
#include "CpuClock.h"

#include <QString>
#include <QStringList>

#include <memory>

class frmMain;
class MemoryTable;

// The real main window, started as the program starts it, its port list
// holding the simulator's terminal. Commands are given by clicking the
// window's own buttons; each click returns when the command has finished.
class WindowUnderTest
{
public:
    struct Transfer {
        CpuClock::Reading total;
        // From the first list line added by the rebuild to the end; wall < 0
        // when the list was not rebuilt.
        CpuClock::Reading rebuild{-1, 0, 0};
        QStringList messages;   // message boxes shown during the command
    };

    // programPath: where the program pretends to live (BenchEnvironment).
    WindowUnderTest(const QString &devicePath, const QString &programPath);
    ~WindowUnderTest();
    WindowUnderTest(const WindowUnderTest &) = delete;
    WindowUnderTest &operator=(const WindowUnderTest &) = delete;

    // Presses Connect; true when the port is open afterwards.
    bool connectPort();
    // Releases Connect; true when the port is closed afterwards.
    bool disconnectPort();
    bool isConnected() const;

    Transfer download();
    Transfer upload();
    // Sits in the event loop, connected and idle, for ms milliseconds.
    CpuClock::Reading idle(int ms);

    const MemoryTable &table() const;
    int beeps() const { return m_dialogs.beeps(); }

private:
    Transfer click(const char *buttonName);

    BenchDialogs m_dialogs;
    std::unique_ptr<frmMain> m_window;
};
