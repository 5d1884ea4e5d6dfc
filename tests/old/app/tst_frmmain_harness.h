#pragma once

// Drives a real frmMain the way a user would: mouse clicks on lines and
// buttons, typed keys in the boxes. Shared by the window, editor and list
// operation tests.

#include "RecordingDialogs.h"
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

class FrmMainHarness
{
public:
    // ports: the port inventory the window lists; null for this computer's.
    explicit FrmMainHarness(std::unique_ptr<PortSource> ports = nullptr)
    {
        // An empty program folder: no automatic-load file, no stray settings.
        ExeName::setProgramPathForTest(programDir.filePath(QStringLiteral("presetta")));
        window = std::make_unique<frmMain>(&dialogs, std::move(ports));
    }
    ~FrmMainHarness()
    {
        window.reset();
        ExeName::setProgramPathForTest(QString());
    }
    FrmMainHarness(const FrmMainHarness &) = delete;
    FrmMainHarness &operator=(const FrmMainHarness &) = delete;

    // Start-up as the program does it, then make the window active so focus
    // changes (and with them the frequency check) happen offscreen too.
    bool start()
    {
        window->Form_Load();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        settle();
        return true;
    }

    template <typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    QListWidget *list() const { return child<QListWidget>("lList"); }
    QLineEdit *box(const char *name) const { return child<QLineEdit>(name); }
    QComboBox *combo(const char *name) const { return child<QComboBox>(name); }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }

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

    void clickLine(int position)
    {
        QListWidget *l = list();
        QListWidgetItem *item = l->item(position);
        l->scrollToItem(item);
        settle();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
        settle();
    }

    void click(const char *buttonName)
    {
        QTest::mouseClick(button(buttonName), Qt::LeftButton);
        settle();
    }

    void focus(QWidget *w)
    {
        w->setFocus(Qt::OtherFocusReason);
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

    // Type a frequency and leave the box with Tab, so the frequency check runs.
    void typeFrequency(const QString &digits)
    {
        typeInto("tFreq", digits);
        QTest::keyClick(box("tFreq"), Qt::Key_Tab);
        settle();
    }

    // Pick an item with the keyboard, as a user tabbing through would.
    void choose(const char *comboName, int index)
    {
        QComboBox *c = combo(comboName);
        focus(c);
        QTest::keyClick(c, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(c, Qt::Key_Down);
        settle();
    }

    // A whole edit of one line: select it, fill the boxes, choose, Apply.
    void storeStation(int position, const QString &freq, const QString &name, const QString &pi,
                      int bwIndex = -1, int stIndex = -1)
    {
        clickLine(position);
        typeFrequency(freq);
        typeInto("tName", name);
        if (!pi.isNull())
            typeInto("tPI", pi);
        if (bwIndex >= 0)
            choose("coBW", bwIndex);
        if (stIndex >= 0)
            choose("coST", stIndex);
        click("cAply");
    }

    QTemporaryDir programDir;
    RecordingDialogs dialogs;
    std::unique_ptr<frmMain> window;
};
