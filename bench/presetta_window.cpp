// presetta as src/app/main.cpp starts it, timed to its first paint.
#include "Dialogs.h"
#include "FirstPaintProbe.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintProbe probe;
    QtDialogs dialogs;
    frmMain window(&dialogs);
    window.Form_Load();
    return app.exec();
}
