// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives a real frmMain the way a user would: mouse clicks on lines and
// buttons, typed keys in the boxes. The list is read through its item view
// and model only, whatever view the window uses.

#include "FakePorts.h"
#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "ListEditor.h"
#include "ListPart.h"
#include "ReceiverPart.h"
#include "frmMain.h"
#include "memlist/MemoryTable.h"
#include "identity/ExeName.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

class WindowHarness
{
public:
    // An empty program folder (no automatic-load file) and no ports listed
    // but those a test adds, so this computer's stay out. Or other dialogs
    // (the real message boxes), and this computer's ports with the extra
    // ones of the settings.
    explicit WindowHarness(Dialogs *shown = nullptr, bool systemPorts = false)
    {
        ExeName::setProgramPathForTest(programDir.filePath(QStringLiteral("presetta")));
        window = std::make_unique<frmMain>(shown ? shown : &dialogs,
                                           systemPorts ? nullptr : std::make_unique<FakePorts>(ports));
    }
    ~WindowHarness()
    {
        window.reset();
        ExeName::setProgramPathForTest(QString());
    }

    // Start-up as the program does it, then make the window active so focus
    // changes (and with them the frequency check) happen offscreen too.
    bool start(const QString &file = QString())
    {
        window->Form_Load(file);
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
    QAction *action(const char *name) const { return child<QAction>(name); }
    QAbstractItemView *list() const { return child<QAbstractItemView>("lList"); }
    QLineEdit *box(const char *name) const { return child<QLineEdit>(name); }
    QComboBox *combo(const char *name) const { return child<QComboBox>(name); }

    // Let queued work (select-all on focus, focus changes) finish.
    static void settle() { QCoreApplication::processEvents(); }

    int selectedLine() const { return list()->currentIndex().row(); }
    QList<int> selectedLines() const
    {
        QList<int> rows;
        for (const QModelIndex &index : list()->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    QStringList lines() const
    {
        QStringList all;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            all << list()->model()->index(row, 0).data().toString();
        return all;
    }

    // The named channels as the lines show them: "05 C" for a line numbered
    // 05 with the name C.
    QStringList namesShown() const
    {
        QStringList named;
        for (const QString &l : lines()) {
            const QString name = l.section(QLatin1Char('|'), 3, 3).trimmed();
            if (!name.isEmpty())
                named << l.section(QLatin1Char('|'), 0, 0).trimmed() + QLatin1Char(' ') + name;
        }
        return named;
    }
    void clickLine(int position, Qt::KeyboardModifiers modifiers = {})
    {
        const QModelIndex index = list()->model()->index(position, 0);
        list()->scrollTo(index);
        settle();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, list()->visualRect(index).center());
        settle();
    }

    // The whole command runs inside the click, or the trigger of its action.
    void click(const char *widgetName)
    {
        QTest::mouseClick(child(widgetName), Qt::LeftButton);
        settle();
    }
    void trigger(const char *actionName)
    {
        action(actionName)->trigger();
        settle();
    }

    // Opens the context menu of `on` as a right click does, hands it to `act`
    // while it is open, then closes it.
    void withContextMenu(QWidget *on, const std::function<void(QMenu *)> &act)
    {
        QTimer::singleShot(0, on, [act] {
            // None opens on a control that is disabled.
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                act(menu);
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), on->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(on, &event);
        QApplication::setActiveWindow(window.get()); // back from the menu's own window
        settle();
    }

    // A file dropped on the window as a file manager drops it: whether the
    // window took it, on entering or on the drop.
    bool dropFile(const QString &path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        return enter.isAccepted() || drop.isAccepted();
    }

    // A whole edit of one line: select it, fill the boxes, check the
    // frequency, choose (by position), Apply.
    void storeStation(int position, const QString &freq, const QString &name, const QString &pi, int bw = 0,
                      int st = 1)
    {
        clickLine(position);
        box("tFreq")->setText(freq);
        window->list()->editor()->tFreq_Validate();
        box("tName")->setText(name);
        if (!pi.isNull()) // a null PI leaves the box as the line filled it
            box("tPI")->setText(pi);
        combo("coBW")->setCurrentIndex(bw);
        combo("coST")->setCurrentIndex(st);
        click("cAply");
    }

    // Those of the named controls that can be used now.
    QStringList enabled(const QStringList &names) const
    {
        QStringList on;
        for (const QString &name : names)
            if (child(qPrintable(name))->isEnabled())
                on << name;
        return on;
    }

    FakePorts::List ports = std::make_shared<QList<PortRecord>>();
    QTemporaryDir programDir;
    RecordingDialogs dialogs;
    std::unique_ptr<frmMain> window;
};
