// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives a real frmMain the way a user would: mouse clicks on lines and
// buttons, typed keys in the boxes.

#include "FakePorts.h"
#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "frmMain.h"
#include "identity/ExeName.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class WindowHarness
{
public:
    // ports: the inventory the window lists; none by default, so this
    // computer's ports stay out.
    explicit WindowHarness(FakePorts::List ports = std::make_shared<QList<PortRecord>>())
        : ports(std::move(ports))
    {
        // An empty program folder: no automatic-load file.
        ExeName::setProgramPathForTest(programDir.filePath(QStringLiteral("presetta")));
        window = std::make_unique<frmMain>(&dialogs, std::make_unique<FakePorts>(this->ports));
    }
    ~WindowHarness()
    {
        window.reset();
        ExeName::setProgramPathForTest(QString());
    }
    WindowHarness(const WindowHarness &) = delete;
    WindowHarness &operator=(const WindowHarness &) = delete;

    // Start-up as the program does it, then make the window active so focus
    // changes (and with them the frequency check) happen offscreen too.
    bool start()
    {
        window->Form_Load();
        // On an X server without a window manager only the window's own request focuses it.
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        settle();
        return true;
    }

    template <typename T = QWidget>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QListWidget *list() const { return child<QListWidget>("lList"); }
    QLineEdit *box(const char *name) const { return child<QLineEdit>(name); }
    QComboBox *combo(const char *name) const { return child<QComboBox>(name); }

    // Let queued work (select-all on focus, focus changes) finish.
    static void settle() { QCoreApplication::processEvents(); }

    int selectedLine() const { return list()->currentRow(); }
    QString line(int position) const { return list()->item(position)->text(); }
    QStringList lines() const
    {
        QStringList all;
        for (int i = 0; i < list()->count(); ++i)
            all << list()->item(i)->text();
        return all;
    }
    // Where the stations stand by the lines, "2:B 5:C", and by the table when
    // that differs; the first line without its own number instead, if any.
    QString stations() const
    {
        QStringList byLines, byTable;
        for (int n = 1; n <= list()->count(); ++n) {
            if (!line(n - 1).startsWith(QStringLiteral(" %1 |").arg(n, 2, 10, QLatin1Char('0'))))
                return line(n - 1);
            if (const QString name = line(n - 1).section(QLatin1Char('|'), 3, 3).trimmed(); !name.isEmpty())
                byLines << QStringLiteral("%1:%2").arg(n).arg(name);
            if (!window->table().entry(n).isEmpty())
                byTable << QStringLiteral("%1:%2").arg(n).arg(window->table().entry(n).name.trimmed());
        }
        const QString shown = byLines.join(QLatin1Char(' '));
        return byLines == byTable ? shown : shown + QStringLiteral(" (table ") + byTable.join(QLatin1Char(' ')) + ')';
    }

    void clickLine(int position)
    {
        QListWidget *l = list();
        QListWidgetItem *item = l->item(position);
        l->scrollToItem(item);
        settle();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
        settle();
    }

    // The whole command runs inside the click.
    void click(const char *widgetName)
    {
        QTest::mouseClick(child(widgetName), Qt::LeftButton);
        settle();
    }

    // Click into a box (its text gets selected) and type over it.
    void typeInto(const char *boxName, const QString &keys)
    {
        QLineEdit *b = box(boxName);
        QTest::mouseClick(b, Qt::LeftButton);
        settle();
        QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(b, Qt::Key_Backspace);
        else
            QTest::keyClicks(b, keys);
        settle();
    }

    // A whole edit of one line: select it, fill the boxes, check the
    // frequency, choose (by position), Apply.
    void storeStation(int position, const QString &freq, const QString &name, const QString &pi, int bw = 0,
                      int st = 1)
    {
        clickLine(position);
        box("tFreq")->setText(freq);
        window->tFreq_Validate();
        box("tName")->setText(name);
        if (!pi.isNull()) // a null PI leaves the box as the line filled it
            box("tPI")->setText(pi);
        combo("coBW")->setCurrentIndex(bw);
        combo("coST")->setCurrentIndex(st);
        click("cAply");
    }

    // The file dialog answers with path; then the button is pressed.
    void saveAs(const QString &path)
    {
        dialogs.fileAnswers << path;
        click("cSave");
    }
    void loadFrom(const QString &path)
    {
        dialogs.fileAnswers << path;
        click("cLoad");
    }

    FakePorts::List ports;
    QTemporaryDir programDir;
    RecordingDialogs dialogs;
    std::unique_ptr<frmMain> window;
};
