// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"

#include "FileDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>

namespace {
// Ctrl+C copies what the box says, title first, as message boxes do on
// other systems; Qt leaves it out on this one.
void copiesItsText(QMessageBox *box)
{
    auto *copy = new QShortcut(QKeySequence::Copy, box);
    QObject::connect(copy, &QShortcut::activated, box, [box] {
        QGuiApplication::clipboard()->setText(box->windowTitle().trimmed() + QLatin1Char('\n') + box->text().trimmed());
    });
}
} // namespace

void QtDialogs::stopMessage(QWidget *parent, const QString &text, const QString &title, std::function<void()> then)
{
    m_pending.append({parent, text, title, std::move(then)});
    if (!m_showing) {
        m_showing = true;
        QTimer::singleShot(0, qApp, [this] { showNext(); });
    }
}

void QtDialogs::afterMessages(std::function<void()> fn)
{
    if (!m_showing) {
        fn();
        return;
    }
    m_pending.append({nullptr, QString(), QString(), std::move(fn)});
}

void QtDialogs::showNext()
{
    while (!m_pending.isEmpty() && m_pending.constFirst().text.isEmpty()) {
        const Pending p = m_pending.takeFirst();
        p.then();
    }
    if (m_pending.isEmpty()) {
        m_showing = false;
        return;
    }
    const Pending p = m_pending.takeFirst();
    auto *box = new QMessageBox(QMessageBox::Critical, p.title, p.text, QMessageBox::Ok, p.parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    copiesItsText(box);
    QObject::connect(box, &QMessageBox::finished, qApp, [this, then = p.then] {
        if (then)
            then();
        showNext();
    });
    box->open();
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
    copiesItsText(&box);
    switch (box.exec()) {
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
    }
}
