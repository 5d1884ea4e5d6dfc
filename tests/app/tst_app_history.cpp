// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps a list from being lost: undo and redo, the backups around
// transfers, and the question before unsaved changes are thrown away.
#include "SimHarness.h"
#include "TestFiles.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QUndoStack>

namespace {
const QList<QByteArray> kList{"100400;ONE;D3C1;0;1", "87600;TWO;D3C2;3;0", "1008;MW;;2;0", "98000;FOUR;D3C4;0;1"};
} // namespace

class tst_AppHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<SimHarness> m_s;
    WindowHarness *m_h = nullptr;

    // The list as the user sees it and the table behind it.
    QString state() const
    {
        QStringList s = m_h->lines();
        for (const MemoryEntry &e : m_h->window->table().entries())
            s << QStringLiteral("%1,%2,%3,%4,%5,%6").arg(e.band).arg(e.frequency).arg(e.bandwidth).arg(e.stereo).arg(e.pi, e.name);
        return s.join('\n');
    }
    void keys(QWidget *w, Qt::KeyboardModifiers mods, Qt::Key key = Qt::Key_Z)
    {
        QTest::keyClick(w, key, mods);
        WindowHarness::settle();
    }
    QUndoStack *history() const { return m_h->window->undoStack(); }

private slots:
    // The simulator holds the four channels of the file the window loads at start.
    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
        m_store = std::make_unique<TestStore>();
        Clock::setSource({});
        m_s = std::make_unique<SimHarness>(SimHarness::optionsFrom("--count 4"));
        m_h = &m_s->h;
        const SimChannel held[] = {simChannel(100400, 0, 1, "D3C1", "ONE"), simChannel(87600, 3, 0, "D3C2", "TWO"),
                                   simChannel(1008, 2, 0, "", "MW"), simChannel(98000, 0, 1, "D3C4", "FOUR")};
        for (int n = 1; n <= 4; ++n)
            m_s->sim.setChannel(n, held[n - 1]);
        QVERIFY(writeBytes(m_h->programDir.filePath("presetta.csv"), memoryFile(kList, 4)));
        QVERIFY(m_s->start());
        QVERIFY(!m_h->window->isWindowModified());
    }
    void cleanup() { m_s.reset(); }

    void stepsUndoneAndRedone_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lineAfterUndo");
        QTest::newRow("apply") << "cAply" << "Apply channel 2" << 1;
        QTest::newRow("up") << "cUp" << "Move channel 2 up" << 1;
        QTest::newRow("down") << "cDn" << "Move channel 2 down" << 1;
        QTest::newRow("insert") << "cIns" << "Insert channel 2" << 1;
        QTest::newRow("delete") << "cDel" << "Delete channel 2" << 1;
        QTest::newRow("load") << "cLoad" << "Load other.csv" << 0;
    }
    void stepsUndoneAndRedone()
    {
        QFETCH(QString, step);
        m_h->storeStation(1, "87600", "EDITED", ""); // an Apply line differs from a rebuilt one
        history()->clear();
        m_h->clickLine(1);
        m_h->typeInto("tName", "AGAIN");
        const QString before = state();
        writeBytes(m_store->file("other.csv"), memoryFile({"90000;X;1;0;1"}, 4));
        step == "cLoad" ? m_h->loadFrom(m_store->file("other.csv")) : m_h->click(qPrintable(step));
        const QString after = state();
        const int selected = m_h->selectedLine();
        QVERIFY(after != before);
        QTEST(history()->undoText(), "text");
        QCOMPARE(m_h->window->isWindowModified(), step != "cLoad");
        keys(m_h->list(), Qt::ControlModifier);
        QCOMPARE(state(), before);
        QTEST(m_h->selectedLine(), "lineAfterUndo");
        QCOMPARE(m_h->window->isWindowModified(), step == "cLoad");
        keys(m_h->combo("coBW"), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(state(), after);
        QCOMPARE(m_h->selectedLine(), selected);
        keys(m_h->list(), Qt::ControlModifier);
        keys(m_h->list(), Qt::ControlModifier, Qt::Key_Y);
        QCOMPARE(state(), after);
        // In a text box the keys undo the typing, not the list.
        m_h->typeInto("tName", "XY");
        keys(m_h->box("tName"), Qt::ControlModifier);
        QCOMPARE(state(), after);
        QCOMPARE(m_h->box("tName")->text(), m_h->window->table().entry(selected + 1).name.trimmed());
    }

    void menuNamesTheStep()
    {
        m_h->clickLine(2);
        m_h->click("cDel");
        QStringList seen;
        QTimer::singleShot(0, m_h->window.get(), [&seen] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            for (QAction *a : menu->actions())
                seen << a->text() + (a->isEnabled() ? "" : " (off)");
            menu->close();
        });
        QWidget *viewport = m_h->list()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), viewport->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(viewport, &event);
        QCOMPARE(seen, QStringList({"Undo Delete channel 3", "Redo (off)"}));
    }

    void closeAsks_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel") << Dialogs::Answer::Cancel << false;
        QTest::newRow("save") << Dialogs::Answer::Save << true;
        QTest::newRow("discard") << Dialogs::Answer::Discard << true;
    }
    void closeAsks()
    {
        QVERIFY(m_h->window->close()); // unchanged: nothing asked
        m_h->window->show();
        m_h->clickLine(3);
        m_h->click("cDel");
        QFETCH(Dialogs::Answer, answer);
        m_h->dialogs.saveAnswers << answer;
        m_h->dialogs.fileAnswers << m_store->file("saved.csv");
        QTEST(m_h->window->close(), "closed");
        QCOMPARE(m_h->dialogs.questions.size(), 1);
        QCOMPARE(m_h->dialogs.questions[0].text, "  The memory list has changes that are not saved. Save them?  ");
        QCOMPARE(readBytes(m_store->file("saved.csv")) == memoryFile(kList.mid(0, 3)), answer == Dialogs::Answer::Save);
    }

    void transfersKeepBackups()
    {
        QVERIFY(m_s->connectPort());
        m_s->download();
        QCOMPARE(history()->undoText(), "Download");
        m_h->storeStation(0, "100400", "CHANGED", QString());
        const int index = history()->index();
        m_s->onCommand(2, [this] { keys(m_h->list(), Qt::ControlModifier); }); // no undo while sending
        m_s->upload();
        QCOMPARE(history()->index(), index);
        QVERIFY(!m_h->window->isWindowModified());
        m_h->saveAs(m_store->file("saved.csv"));
        const QDir folder(m_data->path() + "/presetta/backups");
        const QStringList down = folder.entryList({"*_download.csv"});
        const QStringList up = folder.entryList({"*_upload*.csv"}); // "-2": the same second as the download
        QCOMPARE(folder.entryList(QDir::Files).size(), 2);
        QCOMPARE(readBytes(folder.filePath(down.value(0))), memoryFile(kList, 4));
        QCOMPARE(readBytes(folder.filePath(up.value(0))), readBytes(m_store->file("saved.csv")));
        QVERIFY(m_h->dialogs.messages.isEmpty());
    }

    void unwritableBackupsSaidOnce()
    {
        QVERIFY(writeBytes(m_data->path() + "/presetta", "a file where the folder should be"));
        QVERIFY(m_s->connectPort());
        m_s->download();
        m_s->upload();
        m_s->upload();
        QCOMPARE(m_s->sim.commandCount(), 9);
        QCOMPARE(m_h->dialogs.messages.size(), 1);
        QVERIFY(m_h->dialogs.messages[0].text.startsWith("  No backup could be written to"));
    }
};

QTEST_MAIN(tst_AppHistory)
#include "tst_app_history.moc"
