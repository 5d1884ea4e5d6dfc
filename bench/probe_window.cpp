// SPDX-License-Identifier: GPL-3.0-or-later
// The windows bench_startup times to their first paint, one program each so
// that each loads only its own libraries: PROBE_BARE (the yardstick, a bare
// window of presetta's size), PROBE_TEXT (the same with one line of text:
// what fonts and a text engine alone cost) and PROBE_PRESETTA (as
// src/app/main.cpp starts it).
#include "BenchCommon.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QThread>
#include <QTimer>

#include <cstdio>

#if defined(PROBE_PRESETTA)
#include "Dialogs.h"
#include "frmMain.h"
#include "identity/ExeName.h"

#include <QDir>
#endif

namespace {

// presetta's start-up goes on after its first paint (it lists the ports);
// quit only takes effect once the main event loop runs.
void quitWhenRunning()
{
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::quit();
    else
        QTimer::singleShot(1, QCoreApplication::instance(), &quitWhenRunning);
}

// Prints the moment the first frame is complete, then ends the program.
class FirstPaint : public QObject
{
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_seen = true;
            // The first widget's paint starts the frame; the rest of the
            // window is painted in the same pass, and the timer fires after it.
            QTimer::singleShot(0, this, [] {
                std::printf("first-paint-ns %lld\n", static_cast<long long>(Bench::monotonicNs()));
                std::fflush(stdout);
                quitWhenRunning();
            });
        }
        return false;
    }
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint probe;
    app.installEventFilter(&probe);
#if defined(PROBE_PRESETTA)
    // Its folder in the benchmark's home: beside build/bench it would take a file there as its automatic-load file.
    ExeName::setProgramPathForTest(QDir::home().filePath("presetta"));
    QtDialogs dialogs;
    frmMain window(&dialogs);
    window.Form_Load();
#else
#if defined(PROBE_TEXT)
    QLabel window("Memory channels");
#else
    QWidget window;
#endif
    window.setFixedSize(506, 372);
    window.show();
#endif
    return app.exec();
}
