// A second yardstick: the bare window with one line of text, which is what
// loading the fonts and a text engine alone costs.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintProbe probe;
    QLabel window(QStringLiteral("Memory channels"));
    window.setWindowTitle(QStringLiteral("Text window"));
    window.setFixedSize(506, 372);
    window.show();
    return app.exec();
}
