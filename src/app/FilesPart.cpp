// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilesPart.h"

#include "ui_frmMain.h"

#include "CommandState.h"
#include "Commands.h"
#include "Dialogs.h"
#include "MemoryListModel.h"
#include "files/CsvFile.h"
#include "files/Exists.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileRWLite.h"
#include "files/MemoryFile.h"
#include "files/RecentFiles.h"
#include "identity/UserFolders.h"
#include "platform/Clock.h"
#include "settings/ProgramSettings.h"

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {
// Built when asked, so the filter's description follows the installed language.
QString csvFilter()
{
    return FilesPart::tr("CSV-Files (*.csv)") + QStringLiteral("|*.csv");
}

QString framed(const QString &text)
{
    return QStringLiteral("  ") + text + QStringLiteral("  ");
}
} // namespace

FilesPart::FilesPart(QWidget *window, Ui::frmMain *ui, MemoryListModel *model, Commands *commands,
                     const CommandState *state, Dialogs *dialogs, QObject *parent)
    : QObject(parent), m_window(window), m_ui(ui), m_model(model), m_commands(commands), m_state(state),
      m_dialogs(dialogs)
{
    const Commands &c = *commands;
    connect(c[Commands::Load], &QAction::triggered, this, &FilesPart::cLoad_Click);
    connect(c[Commands::Save], &QAction::triggered, this, &FilesPart::cSave_Click);
    connect(c[Commands::Recent], &QAction::triggered, this,
            [this] { showRecentMenu(m_ui->cLoad->rect().bottomLeft()); });
    m_ui->cLoad->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->cLoad, &QWidget::customContextMenuRequested, this, &FilesPart::showRecentMenu);
    // A failed backup never stops a transfer; it is told once it is over.
    connect(state, &CommandState::changed, this, &FilesPart::tellBackupFailure);
}

void FilesPart::cSave_Click()
{
    (void)saveList();
}

bool FilesPart::saveList()
{
    const QString proposal = m_lastDir + QStringLiteral("Presetta_")
        + Clock::now().toString(QStringLiteral("yyyyMMdd-HHmm")) + QStringLiteral(".csv");
    const QString path = m_dialogs->fileDialog(m_window, 1, proposal, tr("Save Data ..."), csvFilter());
    if (mExtractFileName::ExtractFileName(path).isEmpty()) {
        m_dialogs->beep();
        return false;
    }
    QString reason;
    if (!mFileRWLite::FileWrite(path, CsvFile::text(m_model->table()), &reason)) {
        // The old file, if any, is still there; the folder is not remembered.
        m_dialogs->stopMessage(m_window, tr("  Could not save \"%1\": %2  ").arg(mExtractFileName::ExtractFileName(path), reason),
                               tr(" ERROR"));
        return false;
    }
    ProgramSettings settings;
    settings.setLastDir(mExtractPath::ExtractPath(path));
    settings.addRecentFile(path);
    m_model->markClean();
    return true;
}

void FilesPart::cLoad_Click()
{
    // The backups are two clicks away.
    const QString path = m_dialogs->fileDialog(m_window, 0, m_lastDir + QStringLiteral("*.csv"), tr("Open Data ..."),
                                               csvFilter(), {Backups::folder()});
    if (mExtractFileName::ExtractFileName(path).isEmpty())
        m_dialogs->beep();
    else
        LoadCSV(path);
}

void FilesPart::LoadCSV(const QString &path, bool remember)
{
    const MemoryTable &table = m_model->table();
    const MemoryFile::Read r = MemoryFile::read(path, MemoryFile::Count::Table, table.memoryCount(), table.limits());
    const QString name = mExtractFileName::ExtractFileName(path);
    switch (r.status) {
    case MemoryFile::Status::Loaded: {
        MemoryTable loaded = table;
        loaded.setEntries(r.entries);
        emit listRead(loaded, tr("Load %1").arg(name));
        if (remember)
            ProgramSettings().addRecentFile(path);
        return;
    }
    case MemoryFile::Status::NoLines:
        // A file chosen and not loaded is said, as every other refusal.
        m_dialogs->stopMessage(m_window, tr("  Could not load \"%1\": %2  ").arg(name, r.message), tr(" ERROR"));
        return;
    case MemoryFile::Status::Missing:
    case MemoryFile::Status::NotRegular:
    case MemoryFile::Status::Unreadable:
        m_dialogs->stopMessage(m_window, tr("  Could not read \"%1\": %2  ").arg(name, r.message), tr(" ERROR"));
        return;
    case MemoryFile::Status::NotCompatible:
    case MemoryFile::Status::Invalid:
        m_dialogs->stopMessage(m_window, framed(r.message), CsvFile::errorTitle());
        return;
    }
}

void FilesPart::loadAtStart(const QString &file)
{
    const QString automatic = UserFolders::autoLoadFile();
    if (!file.isEmpty())
        LoadCSV(file);
    else if (mExists::FileSize(automatic) > 0)
        LoadCSV(automatic, false);
}

// Newest first; the ones gone since are left out.
void FilesPart::showRecentMenu(const QPoint &at)
{
    QMenu menu(m_ui->cLoad);
    menu.setObjectName(QStringLiteral("recentMenu"));
    const QStringList files = RecentFiles::present(ProgramSettings().recentFiles());
    const bool on = (*m_commands)[Commands::Recent]->isEnabled();
    for (const QString &file : files) {
        QAction *a = menu.addAction(file);
        a->setEnabled(on);
        // Loaded once the menu has closed: a load rebuilds the list and may show messages.
        connect(a, &QAction::triggered, this, [this, file] { loadLater(file); });
    }
    if (files.isEmpty())
        menu.addAction(tr("No recent files"))->setEnabled(false);
    menu.exec(m_ui->cLoad->mapToGlobal(at));
}

QString FilesPart::droppedFile(const QMimeData *data) const
{
    // Behind an open box or dialog the list stays as the box shows it.
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !(*m_commands)[Commands::Load]->isEnabled()
        || QApplication::activeModalWidget())
        return QString();
    const QUrl url = data->urls().constFirst();
    const QString path = url.toLocalFile();
    return url.isLocalFile() && path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? path : QString();
}

void FilesPart::loadLater(const QString &path)
{
    QTimer::singleShot(0, this, [this, path] {
        // Whatever started since waits for nothing: the file is dropped then.
        if (m_state->idle())
            LoadCSV(path);
    });
}

void FilesPart::backup(const QString &what)
{
    const QString failure = m_backups.write(m_model->table(), what);
    if (!failure.isEmpty())
        m_backupFailure = framed(failure);
}

void FilesPart::tellBackupFailure()
{
    if (m_state->idle() && !m_backupFailure.isEmpty())
        m_dialogs->stopMessage(m_window, std::exchange(m_backupFailure, QString()), tr(" ERROR"));
}
