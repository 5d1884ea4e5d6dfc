// SPDX-License-Identifier: GPL-3.0-or-later
// The memory file commands of the main window.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "ListStep.h"
#include "files/Backups.h"
#include "files/CsvFile.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileRWLite.h"
#include "platform/Clock.h"
#include "settings/ProgramSettings.h"

#include <QUndoStack>

namespace {
const QString kCsvFilter = QStringLiteral("CSV-Files (*.csv)|*.csv");
}

void frmMain::cSave_Click()
{
    (void)saveList();
}

bool frmMain::saveList()
{
    const QString proposal = m_lastDir + QStringLiteral("Presetta_")
        + Clock::now().toString(QStringLiteral("yyyyMMdd-HHmm")) + QStringLiteral(".csv");
    const QString path = m_dialogs->fileDialog(this, 1, proposal, QStringLiteral("Save Data ..."), kCsvFilter);
    if (mExtractFileName::ExtractFileName(path).isEmpty()) {
        m_dialogs->beep();
        return false;
    }
    QString reason;
    if (!mFileRWLite::FileWrite(path, CsvFile::text(m_table), &reason)) {
        // The old file, if any, is still there; the directory is not remembered.
        showError(QStringLiteral("  Could not save \"%1\": %2  ")
                      .arg(mExtractFileName::ExtractFileName(path), reason));
        return false;
    }
    ProgramSettings().setLastDir(mExtractPath::ExtractPath(path));
    m_undo->setClean();
    return true;
}

void frmMain::cLoad_Click()
{
    // The backups are two clicks away.
    const QString path = m_dialogs->fileDialog(this, 0, m_lastDir + QStringLiteral("*.csv"),
                                               QStringLiteral("Open Data ..."), kCsvFilter,
                                               {Backups::folder()});
    if (mExtractFileName::ExtractFileName(path).isEmpty())
        m_dialogs->beep();
    else
        LoadCSV(path);
}

void frmMain::LoadCSV(const QString &path)
{
    QString reason;
    const QString text = mFileRWLite::FileRead(path, &reason);
    if (!reason.isEmpty()) {
        showError(QStringLiteral("  Could not read \"%1\": %2  ")
                      .arg(mExtractFileName::ExtractFileName(path), reason));
        return;
    }
    const CsvFile::LoadResult r = CsvFile::parse(text, m_table.memoryCount(), m_table.limits());
    switch (r.status) {
    case CsvFile::LoadStatus::Ignored:
        break;
    case CsvFile::LoadStatus::NotCompatible:
    case CsvFile::LoadStatus::Invalid:
        showError(r.message, CsvFile::kErrorTitle);
        return;
    case CsvFile::LoadStatus::Ok: {
        const MemoryTable before = m_table;
        const QMap<int, QString> odd = oddLines();
        m_table.setEntries(r.entries);
        RefreshList(false);
        pushStep(ListStep::whole(this, QStringLiteral("Load %1").arg(mExtractFileName::ExtractFileName(path)),
                                 before, odd));
        m_undo->setClean();
        return;
    }
    }
    RefreshList(false);
}

void frmMain::backup(const QString &what)
{
    QString reason;
    if (!Backups::write(m_table, what, &reason) && !m_backupWarned && m_backupError.isEmpty())
        m_backupError = QStringLiteral("  No backup could be written to \"%1\": %2  ").arg(Backups::folder(), reason);
}
