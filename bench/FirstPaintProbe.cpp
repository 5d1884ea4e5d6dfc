#include "FirstPaintProbe.h"

#include "ProbeLine.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <cstdio>

FirstPaintProbe::FirstPaintProbe()
{
    QCoreApplication::instance()->installEventFilter(this);
}

FirstPaintProbe::~FirstPaintProbe()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
        m_seen = true;
        // The first widget's paint starts the frame; the rest of the window
        // is painted in the same pass, and the timer fires once it is done.
        QTimer::singleShot(0, this, &FirstPaintProbe::framePainted);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::framePainted()
{
    const QByteArray line = ProbeLine::format(ProbeLine::monotonicNs());
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
    quitWhenRunning();
}

void FirstPaintProbe::quitWhenRunning()
{
    // The start-up may go on after its first paint (presetta lists the ports
    // then); quit only takes effect once the main event loop runs.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::quit();
    else
        QTimer::singleShot(1, this, &FirstPaintProbe::quitWhenRunning);
}
