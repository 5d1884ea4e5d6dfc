// SPDX-License-Identifier: GPL-3.0-or-later
// The memory file commands of the main window.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "ListSteps.h"
#include "MemoryListModel.h"
#include "files/Backups.h"
#include "files/CsvFile.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileRWLite.h"
#include "files/MemoryFile.h"
#include "files/RecentFiles.h"
#include "platform/Clock.h"
#include "settings/ProgramSettings.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>

namespace {
// Built when asked, so the filter's description follows the installed language.
QString csvFilter()
{
    return QCoreApplication::translate("frmMain", "CSV-Files (*.csv)") + QStringLiteral("|*.csv");
}
}

void frmMain::cSave_Click()
{
    (void)saveList();
}

bool frmMain::saveList()
{
    const QString proposal = m_lastDir + QStringLiteral("Presetta_")
        + Clock::now().toString(QStringLiteral("yyyyMMdd-HHmm")) + QStringLiteral(".csv");
    const QString path = m_dialogs->fileDialog(this, 1, proposal, QStringLiteral("Save Data ..."), csvFilter());
    if (mExtractFileName::ExtractFileName(path).isEmpty()) {
        m_dialogs->beep();
        return false;
    }
    QString reason;
    if (!mFileRWLite::FileWrite(path, CsvFile::text(table()), &reason)) {
        // The old file, if any, is still there; the directory is not remembered.
        showError(tr("  Could not save \"%1\": %2  ")
                      .arg(mExtractFileName::ExtractFileName(path), reason));
        return false;
    }
    ProgramSettings settings;
    settings.setLastDir(mExtractPath::ExtractPath(path));
    settings.addRecentFile(path);
    markClean();
    return true;
}

void frmMain::cLoad_Click()
{
    // The backups are two clicks away.
    const QString path = m_dialogs->fileDialog(this, 0, m_lastDir + QStringLiteral("*.csv"),
                                               QStringLiteral("Open Data ..."), csvFilter(),
                                               {Backups::folder()});
    if (mExtractFileName::ExtractFileName(path).isEmpty())
        m_dialogs->beep();
    else
        LoadCSV(path);
}

void frmMain::LoadCSV(const QString &path, bool remember)
{
    const MemoryFile::Read r = MemoryFile::read(path, MemoryFile::Count::Table, table().memoryCount(), table().limits());
    switch (r.status) {
    case MemoryFile::Status::NoLines:
        // Nothing to load: the list is only drawn again.
        break;
    case MemoryFile::Status::Missing:
    case MemoryFile::Status::NotRegular:
    case MemoryFile::Status::Unreadable:
        showError(tr("  Could not read \"%1\": %2  ").arg(mExtractFileName::ExtractFileName(path), r.message));
        return;
    case MemoryFile::Status::NotCompatible:
    case MemoryFile::Status::Invalid:
        showError(QStringLiteral("  ") + r.message + QStringLiteral("  "), CsvFile::errorTitle());
        return;
    case MemoryFile::Status::Loaded: {
        const MemoryTable before = table();
        const MemoryListModel::Lines lines = m_list->writtenLines();
        m_list->setEntries(r.entries);
        RefreshList(false);
        pushStep(new ListSteps::TableStep(m_list, [this](int row) { showRow(row); },
                                          tr("Load %1").arg(mExtractFileName::ExtractFileName(path)),
                                          before, lines));
        markClean();
        if (remember)
            ProgramSettings().addRecentFile(path);
        return;
    }
    }
    RefreshList(false);
}

void frmMain::backup(const QString &what)
{
    // Told after the transfer, once per run.
    const QString failure = m_session->backups().write(table(), what);
    if (!failure.isEmpty() && m_backupError.isEmpty())
        m_backupError = QStringLiteral("  ") + failure + QStringLiteral("  ");
}

// Newest first; the ones gone since are left out.
void frmMain::recentMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("recentMenu"));
    const QStringList files = RecentFiles::present(ProgramSettings().recentFiles());
    for (const QString &file : files) {
        QAction *a = menu.addAction(file);
        a->setEnabled(m_ui->cLoad->isEnabled());
        // Loaded once the menu has closed: a load may rebuild the list and show messages.
        connect(a, &QAction::triggered, this, [this, file] { QTimer::singleShot(0, this, [this, file] { LoadCSV(file); }); });
    }
    if (files.isEmpty())
        menu.addAction(tr("No recent files"))->setEnabled(false);
    menu.exec(m_ui->cLoad->mapToGlobal(at));
}

QString frmMain::droppedFile(const QMimeData *data) const
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || m_transfer || m_rebuilding || !m_ui->cLoad->isEnabled())
        return QString();
    const QUrl url = data->urls().constFirst();
    const QString path = url.toLocalFile();
    return url.isLocalFile() && path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? path : QString();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: the source program is not kept waiting.
    QTimer::singleShot(0, this, [this, path] { LoadCSV(path); });
}
