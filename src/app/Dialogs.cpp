#include "Dialogs.h"

#include "FileDialog.h"

#include <QApplication>
#include <QMessageBox>

void QtDialogs::stopMessage(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtDialogs::beep()
{
    QApplication::beep();
}

QString QtDialogs::fileDialog(QWidget *owner, int mode, const QString &initialPath,
                              const QString &title, const QString &filter)
{
    return mFileDialog::FileDialog(owner, mode, initialPath, title, filter);
}
