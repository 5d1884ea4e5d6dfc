// The yardstick for presetta's start-up: a bare Qt window of the same size,
// built in the same tree, timed to its first paint.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintProbe probe;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(506, 372);
    window.show();
    return app.exec();
}
