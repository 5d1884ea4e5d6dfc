#pragma once

#include <QObject>

// Watches the whole application for its first painted frame (the pass that
// paints the window for the first time), prints the moment that pass is
// complete (ProbeLine), and ends the program once its start-up is done.
// Create it before the window is shown.
class FirstPaintProbe : public QObject
{
    Q_OBJECT

public:
    FirstPaintProbe();
    ~FirstPaintProbe() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void framePainted();
    void quitWhenRunning();

    bool m_seen = false;
};
