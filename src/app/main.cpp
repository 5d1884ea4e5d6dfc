// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    frmMain window(&dialogs);
    window.Form_Load();
    return app.exec();
}
