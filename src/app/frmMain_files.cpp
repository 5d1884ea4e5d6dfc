// The memory file commands of the main window.
#include "frmMain.h"

#include "ui_frmMain.h"

#include "Dialogs.h"
#include "files/CsvFile.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileRWLite.h"
#include "platform/Clock.h"
#include "settings/Registry.h"

namespace {
const QString kCsvFilter = QStringLiteral("CSV-Files (*.csv)|*.csv");
}

void frmMain::cSave_Click()
{
    const QString proposal = m_lastDir + QStringLiteral("Presetta_")
        + Clock::now().toString(QStringLiteral("yyyyMMdd-HHmm")) + QStringLiteral(".csv");
    const QString path = m_dialogs->fileDialog(this, 1, proposal, QStringLiteral("Save Data ..."), kCsvFilter);
    if (mExtractFileName::ExtractFileName(path).isEmpty()) {
        m_dialogs->beep();
        return;
    }
    QString reason;
    if (!mFileRWLite::FileWrite(path, CsvFile::text(m_table), &reason)) {
        // The old file, if any, is still there; the directory is not remembered.
        showError(QStringLiteral("  Could not save \"%1\": %2  ")
                      .arg(mExtractFileName::ExtractFileName(path), reason));
        return;
    }
    mRegistry2::Registry(setting(QStringLiteral("\\LastDir")), 0, mExtractPath::ExtractPath(path));
}

void frmMain::cLoad_Click()
{
    const QString path = m_dialogs->fileDialog(this, 0, m_lastDir + QStringLiteral("*.csv"),
                                               QStringLiteral("Open Data ..."), kCsvFilter);
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
    case CsvFile::LoadStatus::Ok:
        m_table.setEntries(r.entries);
        break;
    }
    RefreshList(false);
}
