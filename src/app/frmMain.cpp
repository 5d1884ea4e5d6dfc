// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.h"

#include "ui_frmMain.h"

#include "BoldLineDelegate.h"
#include "Dialogs.h"
#include "ListSteps.h"
#include "MemoryListModel.h"
#include "PaintPacer.h"
#include "WindowLook.h"
#include "identity/ExeName.h"
#include "identity/UserFolders.h"
#include "identity/ProgramIdentity.h"
#include "memlist/EntryEditor.h"
#include "memlist/LineFormat.h"
#include "files/Exists.h"
#include "platform/Beep.h"
#include "ports/PortWatcher.h"
#include "ports/clsCOMenum2.h"
#include "serial/clsCommPort.h"
#include "settings/ProgramSettings.h"
#include "text/TextUtil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>
#include <QSignalBlocker>
#include <QTimer>
#include <limits>

frmMain::frmMain(Dialogs *dialogs, std::unique_ptr<PortSource> ports, QWidget *parent)
    : QWidget(parent),
      m_ui(new Ui::frmMain),
      m_dialogs(dialogs),
      m_list(new MemoryListModel(this)),
      // No band has been offered yet, so the first FillCombos always acts.
      m_bandLastOffered(std::numeric_limits<qint16>::min()),
      m_portSource(std::move(ports)),
      m_session(new ReceiverSession(this)),
      m_port(m_session->port()),
      m_portWatcher(new PortWatcher(this)),
      m_engine(m_session->engine()),
      m_undo(new QUndoStack(this))
{
    m_ui->setupUi(this);
    m_ui->lList->setModel(m_list);
    m_ui->lList->setItemDelegate(new BoldLineDelegate(m_ui->lList));
    m_undo->setUndoLimit(100);
    // The caption carries the usual modified mark while the list has changes.
    connect(m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    Beep::setHandler([d = m_dialogs] { d->beep(); });
    setupLook();
    wireControls();

    // Creation steps: identity, caption, program path, an empty list.
    setWindowTitle(ProgramIdentity::caption() + QStringLiteral("[*]"));
    m_lastDir = ExeName::programDirectory();
    m_list->setMemoryCount(MemoryTable::kDefaultCount);
    ClearList();
    FillCombos(-1);
}

void frmMain::showError(const QString &text, const QString &title, std::function<void()> then)
{
    m_dialogs->stopMessage(this, text, title.isEmpty() ? tr(" ERROR") : title, std::move(then));
}

frmMain::~frmMain()
{
    Beep::setHandler({});
    delete m_ui;
}

void frmMain::setupLook()
{
    WindowLook::apply(this, m_ui);
}

void frmMain::wireControls()
{
    connect(m_ui->lList->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &frmMain::lList_Click);
    connect(m_list, &MemoryListModel::moveRequested, this, &frmMain::moveChannel);
    connect(m_ui->cAply, &QPushButton::clicked, this, &frmMain::cAply_Click);
    connect(m_ui->cClr, &QPushButton::clicked, this, &frmMain::cClr_Click);
    connect(m_ui->cUp, &QPushButton::clicked, this, &frmMain::cUp_Click);
    connect(m_ui->cDn, &QPushButton::clicked, this, &frmMain::cDn_Click);
    connect(m_ui->cIns, &QPushButton::clicked, this, &frmMain::cIns_Click);
    connect(m_ui->cDel, &QPushButton::clicked, this, &frmMain::cDel_Click);
    connect(m_ui->cSave, &QPushButton::clicked, this, &frmMain::cSave_Click);
    connect(m_ui->cLoad, &QPushButton::clicked, this, &frmMain::cLoad_Click);
    connect(m_ui->cRefresh, &QPushButton::clicked, this, &frmMain::cRefresh_Click);
    connect(m_ui->ckConn, &QCheckBox::toggled, this, &frmMain::ckConn_Click);
    // Only a choice of the user's own counts as made by hand.
    connect(m_ui->coCOM, &QComboBox::activated, this,
            [this](int row) { m_portChosenByHand = m_ui->coCOM->itemData(row, kPortPathRole).toString(); });
    connect(m_portWatcher, &PortWatcher::portsMayHaveChanged, this, &frmMain::followPorts);
    connect(m_ui->cDL, &QPushButton::clicked, this, &frmMain::cDL_Click);
    connect(m_ui->cUL, &QPushButton::clicked, this, &frmMain::cUL_Click);
    connect(m_ui->cUpd, &QPushButton::clicked, this, &frmMain::cUpd_Click);
    connect(m_ui->cSync, &QPushButton::clicked, this, &frmMain::cSync_Click);
    m_ui->lList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->lList, &QWidget::customContextMenuRequested, this, &frmMain::listMenu);
    m_ui->cUL->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->cUL, &QWidget::customContextMenuRequested, this, &frmMain::uploadMenu);
    m_ui->cLoad->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->cLoad, &QWidget::customContextMenuRequested, this, &frmMain::recentMenu);
    setAcceptDrops(true);
    // The usual keys, from anywhere in the window, for what the buttons do.
    const auto key = [this](QKeySequence::StandardKey k, QAbstractButton *button, auto handler) {
        auto *shortcut = new QShortcut(k, this);
        connect(shortcut, &QShortcut::activated, this, [button, handler] {
            if (!button || button->isEnabled())
                handler();
        });
    };
    key(QKeySequence::Open, m_ui->cLoad, [this] { cLoad_Click(); });
    key(QKeySequence::Save, m_ui->cSave, [this] { cSave_Click(); });
    key(QKeySequence::Quit, nullptr, [this] { close(); });

    // A child of the window, so it can be found by name like the controls.
    // As a member it is destroyed before the window's children are.
    m_timerChk.setParent(this);
    m_timerChk.setObjectName(QStringLiteral("TimerChk"));
    m_timerChk.setInterval(1000);
    connect(&m_timerChk, &QTimer::timeout, this, &frmMain::TimerChk_Timer);
    connect(m_port, &clsCommPort::OnComm, this, &frmMain::COMp_OnComm);
    connect(m_port, &clsCommPort::OnEvent, this, &frmMain::COMp_OnEvent);
    connect(m_port, &clsCommPort::failure, this, &frmMain::COMp_failure);
    connect(m_port, &clsCommPort::deviceGone, this, &frmMain::COMp_deviceGone);
    wireEngine();

    // One application-wide filter: Escape must reach the abort flag whichever
    // child has the focus, and the editor boxes get their key handling here.
    qApp->installEventFilter(this);
}

void frmMain::Form_Load(const QString &file)
{
    setWindowTitle(ProgramIdentity::caption() + QStringLiteral("[*]"));
    m_lastDir = ProgramSettings().lastDir(UserFolders::firstSaveFolder());
    restorePosition();
    m_list->setMemoryCount(MemoryTable::kDefaultCount);
    ClearList();
    FillCombos(-1);
    lList_Click();
    const QString autoLoad = UserFolders::autoLoadFile();
    if (!file.isEmpty())
        LoadCSV(file);
    else if (mExists::FileSize(autoLoad) > 0)
        LoadCSV(autoLoad, false);
    // What the program starts with is not a change.
    m_undo->clear();
    markClean();
    ShowBuf(true);
    // Show the window before the slower port search.
    show();
    QCoreApplication::processEvents();
    COMlist();
    CtrlEn(true);
    watchPorts();
}

namespace {
// The settings keep the position in screen pixels; Qt places windows in
// pixels scaled by the screen's factor, counted from the screen's corner.
QScreen *screenAt(const QPoint &screenPixels)
{
    for (QScreen *s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        if (QRect(g.topLeft(), g.size() * s->devicePixelRatio()).contains(screenPixels))
            return s;
    }
    // Off every screen: the stored place is used as it is.
    return nullptr;
}

QPoint fromScreenPixels(const QPoint &p)
{
    const QScreen *s = screenAt(p);
    if (!s)
        return p;
    const QPoint origin = s->geometry().topLeft();
    return origin + (p - origin) / s->devicePixelRatio();
}

QPoint toScreenPixels(const QPoint &p)
{
    const QScreen *s = QGuiApplication::screenAt(p);
    // Off every screen it is kept as it was found.
    if (!s)
        return p;
    const QPoint origin = s->geometry().topLeft();
    return origin + (p - origin) * s->devicePixelRatio();
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
        at = QPoint(left ? fromScreenPixels(QPoint(*left, 0)).x() : at.x(), top ? fromScreenPixels(QPoint(0, *top)).y() : at.y());
    move(at);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_transfer) {
        // Stop the transfer at its next safe point, as Escape would; the
        // window closes when it has unwound.
        m_closeRequested = true;
        m_engine->stop();
        event->ignore();
        return;
    }
    if (!m_undo->isClean()) {
        const Dialogs::Answer a = m_dialogs->askSave(
            this, tr("  The memory list has changes that are not saved. Save them?  "),
            QStringLiteral(" Presetta"));
        if (a == Dialogs::Answer::Cancel || (a == Dialogs::Answer::Save && !saveList())) {
            event->ignore();
            return;
        }
    }
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    ProgramSettings settings;
    const QPoint at = toScreenPixels(pos());
    settings.setWindowPosition(at.x(), at.y());
    // With no port listed nothing is stored, so the previous port stays.
    const int row = m_ui->coCOM->currentIndex();
    if (row >= 0)
        settings.setComPort(m_ui->coCOM->itemData(row, kPortNameRole).toString());
    if (connected() && m_port->IsOpen())
        m_ui->ckConn->setChecked(false);
    m_timerChk.stop();
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------- list view

const MemoryTable &frmMain::table() const
{
    return m_list->table();
}

int frmMain::selectedPosition() const
{
    return m_ui->lList->currentIndex().row();
}

void frmMain::selectPosition(int position)
{
    m_ui->lList->setCurrentIndex(m_list->index(position));
}

void frmMain::ClearList()
{
    m_ui->lList->setEnabled(false);
    m_list->clearTable();
    m_list->showAll();
    selectPosition(0);
    m_ui->lList->setEnabled(true);
}

void frmMain::NewList()
{
    // The download hands over the table with its entries built from the
    // received lines; what is left is to show it.
    m_ui->lList->setEnabled(false);
    RefreshList(false);
    m_ui->lList->setEnabled(true);
}

void frmMain::RefreshList(bool silent)
{
    const int count = table().size();
    if (silent) {
        // The caller selects the line it wants: one reload of the editor.
        QSignalBlocker block(m_ui->lList->selectionModel());
        m_list->showAll();
        m_ui->lList->setCurrentIndex(QModelIndex());
        return;
    }
    // The list fills line by line and the editor follows. Timers go on, but
    // user input waits, so no list operation can run in the middle and leave
    // the list with stale or doubled lines. Events run after every line; the
    // window is painted at most once a frame, as painting the list for each
    // line would cost far more than the line itself.
    m_rebuilding = true;
    m_list->setMovable(false);
    PaintPacer pacer(this);
    m_list->startRows();
    for (int n = 1; n <= count; ++n) {
        m_list->addRow();
        selectPosition(n - 1);
        pacer.step();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (count > 0)
        selectPosition(0);
    m_rebuilding = false;
    m_list->setMovable(!m_transfer);
}

void frmMain::FillCombos(qint16 band)
{
    if (band == m_bandLastOffered)
        return;
    m_bandLastOffered = band;
    m_ui->coBW->clear();
    m_ui->coST->clear();
    m_ui->coBW->addItems(Bands::bandwidthChoices(band));
    m_ui->coST->addItems(Bands::stereoChoices(band));
    if (band == Bands::kAM) {
        m_ui->coBW->setCurrentIndex(0);
    } else if (band == Bands::kFM) {
        m_ui->coBW->setCurrentIndex(0);
        m_ui->coST->setCurrentIndex(1);
    }
}

// ------------------------------------------------------------------- editor

void frmMain::lList_Click()
{
    if (!m_ui->lList->isEnabled())
        return;
    const int n = selectedPosition() + 1;
    if (n < 1 || n > table().size()) {
        // No line selected: show an empty entry.
        m_ui->tBand->clear();
        m_ui->tFreq->clear();
        m_ui->tName->clear();
        m_ui->tPI->clear();
        FillCombos(-1);
        return;
    }
    const MemoryEntry &e = table().entry(n);
    switch (e.band) {
    case -1: m_ui->tBand->setText(QString()); break;
    case 0: m_ui->tBand->setText(QStringLiteral("AM")); break;
    case 1: m_ui->tBand->setText(QStringLiteral("FM")); break;
    default: m_ui->tBand->setText(QStringLiteral("??")); break;
    }
    if (e.band < 0) {
        m_ui->tFreq->clear();
        m_ui->tName->clear();
        m_ui->tPI->clear();
        FillCombos(-1);
        return;
    }
    m_ui->tFreq->setText(QString::number(e.frequency));
    m_ui->tName->setText(TextUtil::trimBlanksRight(e.name));
    FillCombos(e.band);
    // Codes without an item leave the list without a selection.
    if (e.band == Bands::kAM) {
        const int pos = e.bandwidth - 1;
        m_ui->coBW->setCurrentIndex(pos < m_ui->coBW->count() ? pos : -1);
        m_ui->coST->setCurrentIndex(-1);
    } else {
        m_ui->coBW->setCurrentIndex(e.bandwidth < m_ui->coBW->count() ? e.bandwidth : -1);
        m_ui->coST->setCurrentIndex(e.stereo < m_ui->coST->count() ? e.stereo : -1);
    }
    m_ui->tPI->setText(e.band > 0 ? e.pi : QString());
}

void frmMain::tFreq_Validate()
{
    switch (EntryEditor::bandOfText(m_ui->tFreq->text(), table().limits())) {
    case Bands::kAM:
        m_ui->tBand->setText(QStringLiteral("AM"));
        FillCombos(Bands::kAM);
        m_ui->tPI->clear();
        m_ui->coBW->setCurrentIndex(3);
        m_ui->coST->setCurrentIndex(-1);
        break;
    case Bands::kFM:
        m_ui->tBand->setText(QStringLiteral("FM"));
        FillCombos(Bands::kFM);
        m_ui->coBW->setCurrentIndex(0);
        m_ui->coST->setCurrentIndex(1);
        break;
    default:
        m_ui->tBand->clear();
        FillCombos(-1);
        m_ui->tPI->clear();
        m_ui->tName->clear();
        m_ui->coBW->setCurrentIndex(-1);
        m_ui->coST->setCurrentIndex(-1);
        break;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmMain::cAply_Click()
{
    int p = selectedPosition();
    if (p < 0)
        p = 0;
    const int n = p + 1;
    if (n > table().size())
        return;
    FillCombos(EntryEditor::bandOfText(m_ui->tFreq->text(), table().limits()));

    EntryEditor::Input in;
    in.n = n;
    in.memoryCount = table().size();
    in.bandText = m_ui->tBand->text();
    in.frequencyText = m_ui->tFreq->text();
    in.nameText = m_ui->tName->text();
    in.piText = m_ui->tPI->text();
    in.bandwidthIndex = m_ui->coBW->currentIndex();
    in.bandwidthItem = m_ui->coBW->currentText();
    in.stereoIndex = m_ui->coST->currentIndex();
    const EntryEditor::Result r = EntryEditor::apply(table().entry(n), in, table().limits());
    m_ui->tPI->setText(r.piBoxText);
    if (table().entry(n) != r.entry || m_list->line(p) != r.line)
        pushStep(new ListSteps::ApplyStep(m_list, [this](int row) { showRow(row); }, n, r.entry, r.line));
}

void frmMain::cClr_Click()
{
    const int p = selectedPosition();
    if (p < 0) {
        m_dialogs->beep();
        return;
    }
    m_list->setLine(p, LineFormat::emptyLine(p + 1, table().size()));
    m_ui->tBand->clear();
    m_ui->tFreq->clear();
    m_ui->tName->clear();
    m_ui->tPI->clear();
    FillCombos(-1);
    m_ui->coBW->clear();
    m_ui->coST->clear();
}

// ------------------------------------------------------------- key handling

void frmMain::selectWholeTextLater(QLineEdit *box)
{
    // After the focus change is complete, so a mouse click does not undo it.
    QTimer::singleShot(0, box, [box] { box->selectAll(); });
}

bool frmMain::freqKeyPress(QKeyEvent *e)
{
    const QString text = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        m_ui->tName->setFocus(Qt::TabFocusReason);
        return true;
    }
    // Delete arrives with the DEL character as its text; it edits, it does not type.
    if (text.isEmpty() || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Tab
        || e->key() == Qt::Key_Delete)
        return false;
    const QChar c = text.at(0);
    return !(text.size() == 1 && c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool frmMain::piKeyPress(QKeyEvent *e)
{
    const QString text = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        m_ui->coBW->setFocus(Qt::TabFocusReason);
        return true;
    }
    // Delete arrives with the DEL character as its text; it edits, it does not type.
    if (text.isEmpty() || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Tab
        || e->key() == Qt::Key_Delete)
        return false;
    const QChar c = text.at(0);
    if (text.size() == 1) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')))
            return false;
        if (c >= QLatin1Char('a') && c <= QLatin1Char('f')) {
            m_ui->tPI->insert(QString(c.toUpper()));
            return true;
        }
    }
    m_dialogs->beep();
    return true;
}

bool frmMain::arrowKeyDown(QLineEdit *box, QKeyEvent *e)
{
    const int s = selectedPosition();
    if (e->key() == Qt::Key_Up && s > 0) {
        selectPosition(s - 1);
    } else if (e->key() == Qt::Key_Down && s < m_list->rowCount() - 1) {
        selectPosition(s + 1);
    } else {
        return false;
    }
    box->selectAll();
    return true;
}

bool frmMain::belongsToWindow(const QWidget *w) const
{
    // Walk parents rather than isAncestorOf: a dropped-down choice list is a
    // window of its own but still part of this one.
    for (; w; w = w->parentWidget()) {
        if (w == this)
            return true;
    }
    return false;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        auto *w = qobject_cast<QWidget *>(watched);
        if (ke->key() == Qt::Key_Escape && w && belongsToWindow(w))
            m_engine->requestAbort(); // not consumed
        // The text boxes keep their own undo and clipboard keys for the typing.
        if (w && belongsToWindow(w) && !qobject_cast<QLineEdit *>(w) && (undoKey(ke) || clipboardKey(ke)))
            return true;
        if (!w || (w != m_ui->tFreq && w != m_ui->tName && w != m_ui->tPI))
            return QWidget::eventFilter(watched, event);
        if (ke->key() == Qt::Key_Up || ke->key() == Qt::Key_Down) {
            if (w != m_ui->tPI)
                return arrowKeyDown(static_cast<QLineEdit *>(w), ke);
            return false;
        }
        // Clipboard and editing shortcuts stay usable; their text bypasses the filter.
        if (ke->matches(QKeySequence::Paste) || ke->matches(QKeySequence::Copy)
            || ke->matches(QKeySequence::Cut) || ke->matches(QKeySequence::SelectAll)
            || ke->matches(QKeySequence::Undo) || ke->matches(QKeySequence::Redo))
            return false;
        if (w == m_ui->tFreq)
            return freqKeyPress(ke);
        if (w == m_ui->tPI)
            return piKeyPress(ke);
        return false;
    }
    if (event->type() == QEvent::FocusIn
        && (watched == m_ui->tFreq || watched == m_ui->tName || watched == m_ui->tPI)) {
        selectWholeTextLater(static_cast<QLineEdit *>(watched));
    } else if (event->type() == QEvent::FocusOut && watched == m_ui->tFreq) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            tFreq_Validate();
    }
    return QWidget::eventFilter(watched, event);
}
