// SPDX-License-Identifier: GPL-3.0-or-later
// What a real X server shows of the window after the commands that rebuild
// the list. The offscreen platform paints on demand and cannot show a window
// that was never painted; here the pixels are read back from the server.
#include "SimHarness.h"
#include "TestFiles.h"

#include <QProcess>
#include <QScreen>

namespace {

// An Xvfb server of this test's own, on the display number it picks itself.
class VirtualScreen
{
public:
    VirtualScreen()
    {
        m_server.setProgram(QStringLiteral("Xvfb"));
        // -displayfd 1: the server writes its display number to stdout once it listens.
        m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                               QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        m_server.setProcessChannelMode(QProcess::SeparateChannels);
        m_server.start();
        if (!m_server.waitForStarted(5000))
            return;
        QByteArray out;
        while (!out.contains('\n') && m_server.waitForReadyRead(10000))
            out += m_server.readAllStandardOutput();
        m_display = QString::fromLatin1(out.trimmed());
    }
    ~VirtualScreen()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    QString display() const { return m_display.isEmpty() ? QString() : QStringLiteral(":") + m_display; }

private:
    QProcess m_server;
    QString m_display;
};

// Waits for a frame or two, long enough for any update that was asked for.
constexpr int kPaintWaitMs = 500;

} // namespace

class tst_Screen : public QObject
{
    Q_OBJECT
    TestStore m_store;
    std::unique_ptr<SimHarness> m_s;

    // The part of the server's picture of the window that lies under w,
    // against what w paints when asked.
    static int differingPixels(QWidget *w)
    {
        QWidget *window = w->window();
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        const QImage shown = window->screen()->grabWindow(window->winId(), r.x(), r.y(), r.width(), r.height())
                                 .toImage().convertToFormat(QImage::Format_RGB32);
        const QImage painted = window->grab(r).toImage().convertToFormat(QImage::Format_RGB32);
        if (shown.size() != painted.size())
            return r.width() * r.height();
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differing += shown.pixel(x, y) != painted.pixel(x, y);
        return differing;
    }

    // Dark pixels the server shows of a list line.
    int inkOnScreen(int row) const
    {
        QAbstractItemView *list = m_s->h.list();
        QWidget *window = list->window();
        const QRect r = list->visualRect(list->model()->index(row, 0))
                            .translated(list->viewport()->mapTo(window, QPoint(0, 0)));
        const QImage shown = window->screen()->grabWindow(window->winId(), r.x(), r.y(), r.width(), r.height()).toImage();
        int ink = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ink += qGray(shown.pixel(x, y)) < 128;
        return ink;
    }

private slots:
    void initTestCase()
    {
        m_s = std::make_unique<SimHarness>(SimHarness::optionsFrom("--count 12"));
        m_s->sim.setChannel(1, {100400, 0, 1, "D3C3", "REGNBOGN"});
        m_s->sim.setChannel(2, {87600, 5, 0, "D3C4", "RADIO"});
        // The waits run on the clock, so it must run.
        SimHarness::runClockFrom(QTime(12, 0));
        QVERIFY(m_s->start());
        QVERIFY(QTest::qWaitForWindowExposed(m_s->h.window.get()));
        QVERIFY(m_s->connectPort());
    }

    void shownAfter_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("download") << QByteArray("cDL");
        QTest::newRow("load") << QByteArray("cLoad");
        QTest::newRow("upload") << QByteArray("cUL");
    }

    // The list's lines and the controls enabled again are on the screen, not
    // the greyed-out window of a transfer or the blank list of a rebuild.
    void shownAfter()
    {
        QFETCH(QByteArray, button);
        const QString file = m_store.file(QStringLiteral("list.csv"));
        QVERIFY(writeBytes(file, memoryFile({"94300;KLASSIK;D401;0;1", "1008;AMSTAT;;2;0"}, 12)));
        m_s->h.dialogs.fileAnswers = {file};
        m_s->h.click(button.constData());
        QTest::qWait(kPaintWaitMs);
        for (const char *name : {"lList", "ckConn", "tFreq", "cDL", "cUp"}) {
            QWidget *w = m_s->h.child(name);
            QVERIFY2(w->isEnabled(), name);
            const int differing = differingPixels(w);
            QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1: %2 of %3 pixels on the screen are not what it paints")
                                                    .arg(name).arg(differing).arg(w->width() * w->height())));
        }
    }

    // A changed channel's line is drawn heavier than the same line once saved.
    void changedLineBold()
    {
        m_s->h.storeStation(0, "99900", "BOLD", "", 0, 1);
        m_s->h.clickLine(5); // a selected line is drawn light on dark
        QTest::qWait(kPaintWaitMs);
        const int changed = inkOnScreen(0);
        m_s->h.dialogs.fileAnswers = {m_store.file(QStringLiteral("saved.csv"))};
        m_s->h.click("cSave");
        QTest::qWait(kPaintWaitMs);
        const int saved = inkOnScreen(0);
        QVERIFY2(saved > 0 && saved < changed, qPrintable(QStringLiteral("%1 dark pixels changed, %2 saved").arg(changed).arg(saved)));
    }
};

int main(int argc, char *argv[])
{
    VirtualScreen screen;
    if (screen.display().isEmpty()) {
        std::fprintf(stderr, "tst_screen: no X server: Xvfb did not start (apt-get install xvfb)\n");
        return 1;
    }
    qputenv("DISPLAY", screen.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    tst_Screen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screen.moc"
