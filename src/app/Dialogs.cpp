// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"

#include "FileDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
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

void QtDialogs::editChannels(QWidget *parent, int count, const QStringList &bandwidths, const QStringList &stereos,
                             ChannelEdit then)
{
    auto *dialog = new QDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QCoreApplication::translate("Dialogs", "Edit selected channels"));
    auto *form = new QFormLayout(dialog);
    form->addRow(new QLabel(QCoreApplication::translate("Dialogs", "Set for %n channel(s):", nullptr, count)));
    // The first item leaves the field as each channel has it.
    const auto choice = [dialog, form](const QString &label, const QString &name, const QStringList &items) {
        auto *box = new QComboBox(dialog);
        box->addItem(QCoreApplication::translate("Dialogs", "unchanged"));
        box->addItems(items);
        box->setEnabled(!items.isEmpty());
        box->setAccessibleName(name);
        form->addRow(label, box);
        return box;
    };
    QComboBox *bandwidth = choice(QCoreApplication::translate("Dialogs", "&Bandwidth"),
                                  QCoreApplication::translate("Dialogs", "Bandwidth"), bandwidths);
    QComboBox *stereo = choice(QCoreApplication::translate("Dialogs", "&Stereo"),
                               QCoreApplication::translate("Dialogs", "Stereo"), stereos);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(dialog, &QDialog::accepted, dialog, [bandwidth, stereo, then = std::move(then)] {
        const auto chosen = [](const QComboBox *box) { return box->currentIndex() > 0 ? box->currentText() : QString(); };
        then(chosen(bandwidth), chosen(stereo));
    });
    dialog->open();
}
