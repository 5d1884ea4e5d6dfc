// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Everything that asks the user or makes a sound. The window gets one of
// these; tests hand in a recorder that answers at once.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Modal message box with the stop icon and one OK button.
    virtual void stopMessage(QWidget *parent, const QString &text, const QString &title) = 0;
    virtual void beep() = 0;
    // Standard open (mode 0) or save (mode 1) dialog; "" when cancelled.
    // places: folders offered in the dialog's side bar.
    virtual QString fileDialog(QWidget *owner, int mode, const QString &initialPath,
                               const QString &title, const QString &filter,
                               const QStringList &places = {}) = 0;
    // Save, Discard or Cancel for changes about to be thrown away.
    enum class Answer { Save, Discard, Cancel };
    virtual Answer askSave(QWidget *parent, const QString &text, const QString &title) = 0;
};

// The real thing: QMessageBox, QApplication::beep, QFileDialog.
class QtDialogs : public Dialogs
{
public:
    void stopMessage(QWidget *parent, const QString &text, const QString &title) override;
    void beep() override;
    QString fileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                       const QString &filter, const QStringList &places = {}) override;
    Answer askSave(QWidget *parent, const QString &text, const QString &title) override;
};
