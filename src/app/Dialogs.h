// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Everything that asks the user or makes a sound. The window gets one of
// these; tests hand in a recorder that answers at once.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Message box with the stop icon and one OK button. It opens after the
    // call that asks for it has returned, one box after the other, so no
    // button press (and no assistive tool pressing it) waits for the user;
    // then runs once the user has closed it.
    virtual void stopMessage(QWidget *parent, const QString &text, const QString &title,
                             std::function<void()> then = {}) = 0;
    // Runs fn once every message asked for so far has been closed (at once
    // when none is waiting).
    virtual void afterMessages(std::function<void()> fn) = 0;
    virtual void beep() = 0;
    // Standard open (mode 0) or save (mode 1) dialog; "" when cancelled.
    // places: folders offered in the dialog's side bar.
    virtual QString fileDialog(QWidget *owner, int mode, const QString &initialPath,
                               const QString &title, const QString &filter,
                               const QStringList &places = {}) = 0;
    // Save, Discard or Cancel for changes about to be thrown away.
    enum class Answer { Save, Discard, Cancel };
    virtual Answer askSave(QWidget *parent, const QString &text, const QString &title) = 0;
    // Bandwidth and stereo for `count` channels, from the items offered (a
    // list may be empty). Returns at once; once the user has chosen, then
    // runs with the items ("" for a field left unchanged), unless cancelled.
    using ChannelEdit = std::function<void(const QString &bandwidth, const QString &stereo)>;
    virtual void editChannels(QWidget *parent, int count, const QStringList &bandwidths, const QStringList &stereos,
                              ChannelEdit then) = 0;
};

// The real thing: QMessageBox, QApplication::beep, QFileDialog.
class QtDialogs : public Dialogs
{
public:
    void stopMessage(QWidget *parent, const QString &text, const QString &title,
                     std::function<void()> then = {}) override;
    void afterMessages(std::function<void()> fn) override;
    void beep() override;
    QString fileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                       const QString &filter, const QStringList &places = {}) override;
    Answer askSave(QWidget *parent, const QString &text, const QString &title) override;
    void editChannels(QWidget *parent, int count, const QStringList &bandwidths, const QStringList &stereos,
                      ChannelEdit then) override;

private:
    struct Pending {
        QPointer<QWidget> parent;
        QString text;
        QString title;
        std::function<void()> then;   // an empty text: only this, once the boxes before are closed
    };
    void showNext();
    QList<Pending> m_pending;
    bool m_showing = false;
};
