#include "WindowUnderTest.h"

#include "SimPortSource.h"
#include "frmMain.h"
#include "identity/ExeName.h"
#include "serial/clsCommPort.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>

WindowUnderTest::WindowUnderTest(const QString &devicePath, const QString &programPath)
{
    ExeName::setProgramPathForTest(programPath);
    m_window = std::make_unique<frmMain>(&m_dialogs, std::make_unique<SimPortSource>(devicePath));
    m_window->Form_Load();
}

WindowUnderTest::~WindowUnderTest()
{
    m_window->close();
    m_window.reset();
    ExeName::setProgramPathForTest(QString());
}

bool WindowUnderTest::connectPort()
{
    auto *toggle = m_window->findChild<QAbstractButton *>(QStringLiteral("ckConn"));
    if (!toggle || !toggle->isEnabled())
        return false;
    if (!toggle->isChecked())
        toggle->click();
    return isConnected();
}

bool WindowUnderTest::disconnectPort()
{
    auto *toggle = m_window->findChild<QAbstractButton *>(QStringLiteral("ckConn"));
    if (toggle && toggle->isChecked())
        toggle->click();
    return !isConnected();
}

bool WindowUnderTest::isConnected() const
{
    return m_window->port()->IsOpen();
}

const MemoryTable &WindowUnderTest::table() const
{
    return m_window->table();
}

WindowUnderTest::Transfer WindowUnderTest::download()
{
    return click("cDL");
}

WindowUnderTest::Transfer WindowUnderTest::upload()
{
    return click("cUL");
}

WindowUnderTest::Transfer WindowUnderTest::click(const char *buttonName)
{
    Transfer t;
    auto *button = m_window->findChild<QAbstractButton *>(QLatin1String(buttonName));
    if (!button || !button->isEnabled()) {
        t.messages << QStringLiteral("%1 is not enabled").arg(QLatin1String(buttonName));
        return t;
    }
    const qsizetype messagesBefore = m_dialogs.messages().size();

    // The first line the rebuild adds marks its start.
    auto *list = m_window->findChild<QListWidget *>(QStringLiteral("lList"));
    bool rebuilding = false;
    double rebuildWall = 0, rebuildProcess = 0, rebuildThread = 0;
    CpuClock clock;
    const QMetaObject::Connection watch = QObject::connect(
        list->model(), &QAbstractItemModel::rowsInserted, list, [&] {
            if (rebuilding)
                return;
            rebuilding = true;
            const CpuClock::Reading r = clock.elapsed();
            rebuildWall = r.wall;
            rebuildProcess = r.process;
            rebuildThread = r.thread;
        });

    clock.restart();
    button->click();
    t.total = clock.elapsed();
    QObject::disconnect(watch);

    if (rebuilding) {
        t.rebuild.wall = t.total.wall - rebuildWall;
        t.rebuild.process = t.total.process - rebuildProcess;
        t.rebuild.thread = t.total.thread - rebuildThread;
    }
    t.messages = m_dialogs.messages().mid(messagesBefore);
    return t;
}

CpuClock::Reading WindowUnderTest::idle(int ms)
{
    QEventLoop loop;
    CpuClock clock;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    return clock.elapsed();
}
