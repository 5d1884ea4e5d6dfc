// SPDX-License-Identifier: GPL-3.0-or-later
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
                              const QString &title, const QString &filter, const QStringList &places)
{
    return mFileDialog::FileDialog(owner, mode, initialPath, title, filter, places);
}

Dialogs::Answer QtDialogs::askSave(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
    }
}
