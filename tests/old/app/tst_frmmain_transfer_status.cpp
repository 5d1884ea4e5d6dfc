// The receiver's status word for an entry: which messages the window shows,
// in which order, where the focus goes, and whether the upload carries on.
// One window and one simulator serve every row; each row sets the status the
// simulator answers with.

#include "tst_frmmain_simharness.h"

namespace {

constexpr int kEntries = 3;

const QString kPi = QStringLiteral("  Incorrect PI code!  ");
const QString kMem1 = QStringLiteral("  Memory 01 can't be empty!  ");
const QString kStereo = QStringLiteral("  Mono/Stereo out of range!  ");
const QString kBandwidth = QStringLiteral("  Bandwidth out of range!  ");
const QString kChannel = QStringLiteral("  Memory Channel out of range!  ");
const QString kFrequency = QStringLiteral("  Frequency out of range!  ");

} // namespace

class tst_FrmMainStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void upload_data();
    void upload();
    void update_data();
    void update();

private:
    void setStatus(int status);
    void table();
    std::unique_ptr<SimHarness> m_s;
};

void tst_FrmMainStatus::initTestCase()
{
    SimOptions o;
    o.memoryCount = kEntries;
    m_s = std::make_unique<SimHarness>(o);
    QVERIFY(m_s->start());
    QVERIFY(m_s->connectPort());
    QVERIFY(m_s->freshDownload());
    QCOMPARE(m_s->h->window->table().size(), kEntries);
}

void tst_FrmMainStatus::cleanupTestCase()
{
    m_s.reset();
}

void tst_FrmMainStatus::setStatus(int status)
{
    SimOptions o = m_s->sim.options();
    o.fixedStatus = status;
    m_s->sim.setOptions(o);
    m_s->sim.clearReceivedBytes();
    m_s->h->dialogs.messages.clear();
    m_s->h->dialogs.onMessage = nullptr;
}

void tst_FrmMainStatus::table()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("messages");
    // Where the focus is after each message box has been closed.
    QTest::addColumn<QStringList>("focusTrail");

    QTest::newRow("accepted") << 128 << QStringList() << QStringList();
    QTest::newRow("accepted beats error bits") << 128 + 32 + 1 << QStringList() << QStringList();
    QTest::newRow("refused, no reason") << 0 << QStringList() << QStringList();
    QTest::newRow("bit without meaning") << 64 << QStringList() << QStringList();
    QTest::newRow("PI") << 32 << QStringList{kPi} << QStringList{"tPI"};
    QTest::newRow("memory 1 empty") << 16 << QStringList{kMem1} << QStringList{"tFreq"};
    QTest::newRow("stereo") << 8 << QStringList{kStereo} << QStringList{"coST"};
    QTest::newRow("bandwidth") << 4 << QStringList{kBandwidth} << QStringList{"coBW"};
    QTest::newRow("channel") << 2 << QStringList{kChannel} << QStringList{"tFreq"};
    QTest::newRow("frequency") << 1 << QStringList{kFrequency} << QStringList{"tFreq"};
    QTest::newRow("PI and frequency") << 33 << QStringList{kPi, kFrequency}
                                      << QStringList{"tPI", "tFreq"};
    QTest::newRow("stereo and bandwidth") << 12 << QStringList{kStereo, kBandwidth}
                                          << QStringList{"coST", "coBW"};
    QTest::newRow("all six, bit 6 too")
        << 127 << QStringList{kPi, kMem1, kStereo, kBandwidth, kChannel, kFrequency}
        << QStringList{"tPI", "tFreq", "coST", "coBW", "tFreq", "tFreq"};
}

void tst_FrmMainStatus::upload_data()
{
    table();
}

void tst_FrmMainStatus::upload()
{
    QFETCH(int, status);
    QFETCH(QStringList, messages);
    setStatus(status);
    m_s->upload();

    const bool accepted = (status & 128) != 0;
    QCOMPARE(m_s->sim.receivedBytes().count('\n'), accepted ? kEntries : 1);
    QStringList shown;
    for (const RecordingDialogs::Message &m : std::as_const(m_s->h->dialogs.messages)) {
        shown << m.text;
        QCOMPARE(m.title, QStringLiteral(" ERROR: ") + QString::number(status));
    }
    QCOMPARE(shown, messages);
    // Stopped or not, the upload ends the same way.
    QCOMPARE(m_s->h->selectedLine(), 0);
    QVERIFY(m_s->isConnected());
    QVERIFY(m_s->h->button("cUL")->isEnabled());
}

void tst_FrmMainStatus::update_data()
{
    table();
}

void tst_FrmMainStatus::update()
{
    QFETCH(int, status);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, focusTrail);
    setStatus(status);
    QStringList trail;
    m_s->h->dialogs.onMessage = [&](const RecordingDialogs::Message &) {
        // The focus the previous box left behind.
        if (m_s->h->dialogs.messages.size() > 1)
            trail << QApplication::focusWidget()->objectName();
    };

    m_s->h->clickLine(1);
    m_s->h->click("cUpd");
    if (!messages.isEmpty())
        trail << QApplication::focusWidget()->objectName();
    else
        QCOMPARE(QApplication::focusWidget(), m_s->h->button("cUpd"));

    QCOMPARE(m_s->sim.receivedBytes(), QByteArray("S2,0,0,0,,\n"));
    QCOMPARE(m_s->h->dialogs.messages.size(), messages.size());
    QCOMPARE(trail, focusTrail);
    QCOMPARE(m_s->h->selectedLine(), 1);
}

QTEST_MAIN(tst_FrmMainStatus)
#include "tst_frmmain_transfer_status.moc"
