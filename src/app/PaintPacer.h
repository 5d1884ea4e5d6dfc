// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

// Lets a window paint at most once a frame while a long loop yields after
// every step. An update request of the window that comes in the middle of a
// frame is held and handed back when the frame is over, and when the pacer
// goes. Updates themselves stay enabled: switching them off while a request
// is on its way leaves the window unpainted on a real window system.
class PaintPacer : public QObject
{
public:
    static constexpr int kFrameMs = 40;

    explicit PaintPacer(QWidget *widget);
    ~PaintPacer() override;

    // Before each yield: a held request goes out once its frame is over.
    void step();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void release();

    QWidget *m_window;
    QElapsedTimer m_frame;
    bool m_held = false;
};
