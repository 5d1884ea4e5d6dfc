// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.h"

#include "ui_frmMain.h"

#include "BoldLineDelegate.h"
#include "CommandState.h"
#include "Commands.h"
#include "Dialogs.h"
#include "FilesPart.h"
#include "ListEditor.h"
#include "ListPart.h"
#include "MemoryListModel.h"
#include "NoticeLine.h"
#include "ReceiverPart.h"
#include "WindowLook.h"
#include "identity/ExeName.h"
#include "identity/ProgramIdentity.h"
#include "identity/UserFolders.h"
#include "platform/Beep.h"
#include "settings/ProgramSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QScreen>
#include <QTimer>
#include <QUndoStack>

frmMain::frmMain(Dialogs *dialogs, std::unique_ptr<PortSource> ports, QWidget *parent)
    : QWidget(parent), m_ui(new Ui::frmMain), m_dialogs(dialogs), m_model(new MemoryListModel(this)),
      m_undo(new QUndoStack(this)), m_state(new CommandState(this))
{
    m_ui->setupUi(this);
    m_ui->lList->setModel(m_model);
    m_ui->lList->setItemDelegate(new BoldLineDelegate(m_ui->lList));
    m_undo->setUndoLimit(100);
    Beep::setHandler([d = m_dialogs] { d->beep(); });
    WindowLook::apply(this, m_ui);

    m_notice = new NoticeLine(m_ui->lNotice, this);
    m_commands = new Commands(this, m_ui, m_state, m_undo);
    m_list = new ListPart(m_ui, m_model, m_undo, m_commands, m_state, dialogs, m_notice, this);
    m_files = new FilesPart(this, m_ui, m_model, m_commands, m_state, dialogs, this);
    m_receiver = new ReceiverPart(this, m_ui, m_model, m_commands, m_state, dialogs, m_notice, std::move(ports), this);
    wireParts();

    // Creation steps: identity, caption, program path, an empty list.
    setWindowTitle(ProgramIdentity::caption() + QStringLiteral("[*]"));
    m_files->setLastDir(ExeName::programDirectory());
    m_model->setMemoryCount(MemoryTable::kDefaultCount);
    m_list->ClearList();
    m_list->editor()->FillCombos(-1);
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
    // Nothing may react to what is taken down: the parts go first, while the
    // form they work on is whole, and the window stops listening.
    delete m_receiver;
    delete m_files;
    delete m_list;
    for (QObject *sender : {static_cast<QObject *>(m_undo), static_cast<QObject *>(m_model), static_cast<QObject *>(m_state)})
        disconnect(sender, nullptr, this, nullptr);
    Beep::setHandler({});
    delete m_ui;
}

void frmMain::wireParts()
{
    connect(m_files, &FilesPart::listRead, m_list, &ListPart::takeTable);
    connect(m_receiver, &ReceiverPart::received, m_list, [this](const MemoryTable &t) { m_list->takeTable(t, tr("Download")); });
    connect(m_receiver, &ReceiverPart::notReceived, m_list, &ListPart::showAgain);
    connect(m_receiver, &ReceiverPart::showEntry, m_list->editor(), &ListEditor::showRow);
    connect(m_receiver, &ReceiverPart::backupWanted, m_files, &FilesPart::backup);
    connect((*m_commands)[Commands::Quit], &QAction::triggered, this, &QWidget::close);

    // The modified mark follows the list as it differs from the last clean one.
    const auto listChanged = [this] {
        setWindowModified(m_model->isModified());
        m_receiver->updateChangedCount();
    };
    connect(m_undo, &QUndoStack::indexChanged, this, listChanged);
    connect(m_model, &MemoryListModel::cleanTableChanged, this, listChanged);
    // Closed while busy: once, now, with the usual question.
    connect(m_state, &CommandState::changed, this, [this] {
        if (m_state->idle() && std::exchange(m_closeRequested, false))
            QTimer::singleShot(0, this, &QWidget::close);
    });
    setAcceptDrops(true);
    qApp->installEventFilter(this);
}

void frmMain::Form_Load(const QString &file)
{
    setWindowTitle(ProgramIdentity::caption() + QStringLiteral("[*]"));
    m_files->setLastDir(ProgramSettings().lastDir(UserFolders::firstSaveFolder()));
    restorePosition();
    m_model->setMemoryCount(MemoryTable::kDefaultCount);
    m_list->ClearList();
    m_list->editor()->FillCombos(-1);
    m_list->editor()->lList_Click();
    m_files->loadAtStart(file);
    // What the program starts with is not a change.
    m_undo->clear();
    m_model->markClean();
    m_receiver->ShowBuf(true);
    // Show the window before the slower port search.
    show();
    QCoreApplication::processEvents();
    m_receiver->start();
}

const MemoryTable &frmMain::table() const
{
    return m_model->table();
}

bool frmMain::abortFlag() const
{
    return m_receiver->abortFlag();
}

QString frmMain::lastDir() const
{
    return m_files->lastDir();
}

clsCommPort *frmMain::port() const
{
    return m_receiver->port();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        // The window and its controls, a dropped-down list of its own
        // included; not a box or dialog in front of it. Not consumed.
        for (auto *w = qobject_cast<QWidget *>(watched); w; w = w->parentWidget()) {
            if (w == this) {
                m_receiver->requestAbort();
                break;
            }
            if (w->isWindow() && w->windowType() != Qt::Popup)
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_state->idle()) {
        // A transfer stops at its next safe point, as Escape would stop an
        // upload; a rebuild ends by itself. Then the window closes.
        m_closeRequested = true;
        m_receiver->stopTransfer();
        event->ignore();
        return;
    }
    if (m_model->isModified()) {
        const Dialogs::Answer a = m_dialogs->askSave(
            this, tr("  The memory list has changes that are not saved. Save them?  "), QStringLiteral(" Presetta"));
        if (a == Dialogs::Answer::Cancel || (a == Dialogs::Answer::Save && !m_files->saveList())) {
            event->ignore();
            return;
        }
    }
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    const QPoint at = pos();
    // Kept in screen pixels; off every screen it is kept as it was found.
    const QScreen *s = QGuiApplication::screenAt(at);
    const QPoint pixels = s ? s->geometry().topLeft() + (at - s->geometry().topLeft()) * s->devicePixelRatio() : at;
    ProgramSettings().setWindowPosition(pixels.x(), pixels.y());
    m_receiver->shutDown();
    qApp->removeEventFilter(this);
}

namespace {
// The settings keep the position in screen pixels; Qt places windows in
// pixels scaled by the screen's factor, counted from the screen's corner.
QPoint fromScreenPixels(const QPoint &p)
{
    for (QScreen *s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        if (QRect(g.topLeft(), g.size() * s->devicePixelRatio()).contains(p))
            return g.topLeft() + (p - g.topLeft()) / s->devicePixelRatio();
    }
    // Off every screen: the stored place is used as it is.
    return p;
}
} // namespace

void frmMain::restorePosition()
{
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                          : QRect(0, 0, 1024, 768);
    const ProgramSettings settings;
    const std::optional<int> left = settings.winLeft();
    const std::optional<int> top = settings.winTop();
    QPoint at(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
    if (left && top)
        at = fromScreenPixels(QPoint(*left, *top));
    else if (left || top)
        at = QPoint(left ? fromScreenPixels(QPoint(*left, 0)).x() : at.x(),
                    top ? fromScreenPixels(QPoint(0, *top)).y() : at.y());
    move(at);
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_files->droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = m_files->droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_files->loadLater(path);
}
