#pragma once

// What the file, start-up and shut-down tests share: a settings store and a
// folder of their own, a fixed clock, and memory files as bytes.

#include "tst_frmmain_harness.h"

#include "identity/ProgramIdentity.h"
#include "platform/Clock.h"
#include "ports/PortSource.h"
#include "settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <unistd.h>

inline const QByteArray kHeader = "Freq(KHz);Name(PS);PI-Code;BWidth;Stereo(Auto)\r\n";
inline const QByteArray kEmptyLine = "0;;;0;0\r\n";
inline const QString kCsvFilter = QStringLiteral("CSV-Files (*.csv)|*.csv");

// A port inventory fixed by the test; empty keeps this computer's ports out.
class ListedPorts : public PortSource
{
public:
    explicit ListedPorts(QList<PortRecord> records = {}) : m_records(std::move(records)) {}
    QList<PortRecord> ports() override { return m_records; }

private:
    QList<PortRecord> m_records;
};

inline PortRecord listedPort(const QString &name)
{
    PortRecord r;
    r.port = name;
    r.description = QStringLiteral("Test port");
    r.friendlyName = r.description;
    r.path = QStringLiteral("/dev/") + name;
    r.pnp = r.path;
    return r;
}

inline QString settingPath(const char *suffix)
{
    return ProgramIdentity::settingsPath() + QLatin1String(suffix);
}
inline QString lastDirSetting()
{
    return settingPath("\\LastDir");
}

// A whole memory file: header, the given data lines, then empty entries up
// to the 99 memories.
inline QByteArray memoryFile(const QList<QByteArray> &lines)
{
    QByteArray out = kHeader;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    for (qsizetype k = lines.size(); k < 99; ++k)
        out += kEmptyLine;
    return out;
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The file dialogs answer with path; then the button is pressed.
inline void saveAs(FrmMainHarness &h, const QString &path)
{
    h.dialogs.fileAnswers << path;
    h.click("cSave");
}
inline void loadFrom(FrmMainHarness &h, const QString &path)
{
    h.dialogs.fileAnswers << path;
    h.click("cLoad");
}

class FilesFixture
{
public:
    // Call from init(): a fresh store and folder for every test function.
    bool setUp()
    {
        m_store = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        if (!m_store->isValid() || !m_files->isValid())
            return false;
        mRegistry2::setStoreFile(m_store->filePath(QStringLiteral("registry.json")));
        const QDateTime now(QDate(2025, 7, 1), QTime(14, 32, 10));
        Clock::setSource([now] { return now; });
        return true;
    }
    void tearDown()
    {
        Clock::setSource({});
        mRegistry2::setStoreFile(QString());
        m_files.reset();
        m_store.reset();
    }

    QString storeFile() const { return m_store->filePath(QStringLiteral("registry.json")); }
    QString filesDir() const { return m_files->path(); }
    QString file(const char *name) const { return m_files->filePath(QLatin1String(name)); }

    // A window over the given ports (none by default), not yet started.
    static std::unique_ptr<FrmMainHarness> window(QList<PortRecord> ports = {})
    {
        return std::make_unique<FrmMainHarness>(std::make_unique<ListedPorts>(std::move(ports)));
    }
    // The same, started; null when it did not come up.
    static std::unique_ptr<FrmMainHarness> startWindow(QList<PortRecord> ports = {})
    {
        auto h = window(std::move(ports));
        if (!h->start())
            return nullptr;
        return h;
    }

private:
    std::unique_ptr<QTemporaryDir> m_store;
    std::unique_ptr<QTemporaryDir> m_files;
};
