// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiverPart.h"

#include "ui_frmMain.h"

#include "CommandState.h"
#include "Commands.h"
#include "Dialogs.h"
#include "MemoryListModel.h"
#include "NoticeLine.h"
#include "link/ReceiverSession.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "ports/PortChoice.h"
#include "ports/PortWatcher.h"
#include "ports/clsCOMenum2.h"
#include "serial/clsCommPort.h"
#include "settings/ProgramSettings.h"

#include <QMenu>
#include <QPalette>

namespace {
constexpr int kPortNumRole = Qt::UserRole;
constexpr int kPortNameRole = Qt::UserRole + 1;
constexpr int kPortPathRole = Qt::UserRole + 2;

const QColor kTxIdle(128, 64, 32);
const QColor kTxActive(255, 128, 64);
const QColor kRxIdle(64, 128, 32);
const QColor kRxActive(128, 255, 64);

void paintLamp(QWidget *lamp, const QColor &colour)
{
    QPalette pal = lamp->palette();
    if (pal.color(QPalette::Window) == colour)
        return;
    pal.setColor(QPalette::Window, colour);
    // setPalette schedules the repaint: the lamp is painted at the next
    // yield, together with whatever else changed, instead of on its own.
    lamp->setPalette(pal);
}

QString framed(const QString &text)
{
    return QStringLiteral("  ") + text + QStringLiteral("  ");
}
} // namespace

ReceiverPart::ReceiverPart(QWidget *window, Ui::frmMain *ui, MemoryListModel *model, Commands *commands,
                           CommandState *state, Dialogs *dialogs, NoticeLine *notice, std::unique_ptr<PortSource> ports,
                           QObject *parent)
    : QObject(parent), m_window(window), m_ui(ui), m_model(model), m_commands(commands), m_state(state),
      m_dialogs(dialogs), m_notice(notice), m_portSource(std::move(ports)), m_session(new ReceiverSession(this)),
      m_port(m_session->port()), m_engine(m_session->engine()), m_portWatcher(new PortWatcher(this))
{
    const Commands &c = *commands;
    connect(c[Commands::Download], &QAction::triggered, this, &ReceiverPart::cDL_Click);
    connect(c[Commands::Upload], &QAction::triggered, this, &ReceiverPart::cUL_Click);
    connect(c[Commands::Update], &QAction::triggered, this, &ReceiverPart::cUpd_Click);
    connect(c[Commands::Sync], &QAction::triggered, this, &ReceiverPart::cSync_Click);
    connect(c[Commands::Refresh], &QAction::triggered, this, &ReceiverPart::cRefresh_Click);
    connect(c[Commands::Connect], &QAction::toggled, this, &ReceiverPart::ckConn_Click);
    // Started after the menu has closed: a transfer runs for seconds and may show messages.
    connect(c[Commands::UploadChanged], &QAction::triggered, this,
            [this] { QTimer::singleShot(0, this, &ReceiverPart::uploadChangedChannels); });
    m_ui->cUL->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->cUL, &QWidget::customContextMenuRequested, this, &ReceiverPart::showUploadMenu);
    // Only a choice of the user's own counts as made by hand.
    connect(m_ui->coCOM, &QComboBox::activated, this,
            [this](int row) { m_portChosenByHand = m_ui->coCOM->itemData(row, kPortPathRole).toString(); });
    connect(m_portWatcher, &PortWatcher::portsMayHaveChanged, this, &ReceiverPart::followPorts);

    // A child of the window, so it can be found by name like the controls.
    m_timerChk.setParent(window);
    m_timerChk.setObjectName(QStringLiteral("TimerChk"));
    m_timerChk.setInterval(1000);
    connect(&m_timerChk, &QTimer::timeout, this, &ReceiverPart::TimerChk_Timer);
    connect(m_port, &clsCommPort::OnComm, this, &ReceiverPart::COMp_OnComm);
    connect(m_port, &clsCommPort::OnEvent, this, &ReceiverPart::COMp_OnEvent);
    connect(m_port, &clsCommPort::failure, this, &ReceiverPart::COMp_failure);
    connect(m_port, &clsCommPort::deviceGone, this, &ReceiverPart::COMp_deviceGone);

    connect(m_engine, &TransferEngine::activity, this, &ReceiverPart::ShowBuf);
    // The list shows the entry being sent and the editor follows it.
    connect(m_engine, &TransferEngine::entryStarting, this, [this](int n, int index, int total) {
        emit showEntry(n - 1);
        // The notice covers the foot of the list, where the line would scroll to.
        m_ui->lList->scrollTo(m_model->index(n - 1), QAbstractItemView::PositionAtCenter);
        m_notice->progress(TransferWords::uploading(index, total));
    });
    connect(m_engine, &TransferEngine::replyProgress, this,
            [this](qint64 characters) { m_notice->progress(TransferWords::downloading(characters)); });
    connect(m_engine, &TransferEngine::entryRefused, this, [this](const TransferEngine::Outcome &o) {
        for (const EntryStatus::ErrorMessage &m : o.messages) {
            // After its box is closed, the control the message is about.
            showError(m.text, EntryStatus::errorTitle(o.word), [this, name = m.focusName] {
                if (QWidget *w = m_window->findChild<QWidget *>(name))
                    w->setFocus();
            });
        }
    });
}

ReceiverPart::~ReceiverPart() = default;

void ReceiverPart::showError(const QString &text, const QString &title, std::function<void()> then)
{
    m_dialogs->stopMessage(m_window, text, title.isEmpty() ? tr(" ERROR") : title, std::move(then));
}

void ReceiverPart::yield()
{
    QCoreApplication::processEvents();
}

void ReceiverPart::WaitS(float seconds)
{
    Wait::WaitS(seconds);
}

bool ReceiverPart::connected() const
{
    return m_ui->ckConn->isChecked();
}

void ReceiverPart::requestAbort()
{
    m_engine->requestAbort();
}

bool ReceiverPart::abortFlag() const
{
    return m_engine->abortRequested();
}

void ReceiverPart::stopTransfer()
{
    m_engine->stop();
}

void ReceiverPart::start()
{
    COMlist();
    CtrlEn(true);
    watchPorts();
}

void ReceiverPart::shutDown()
{
    // With no port listed nothing is stored, so the previous port stays.
    const int row = m_ui->coCOM->currentIndex();
    if (row >= 0)
        ProgramSettings().setComPort(m_ui->coCOM->itemData(row, kPortNameRole).toString());
    if (connected() && m_port->IsOpen())
        m_ui->ckConn->setChecked(false);
    m_timerChk.stop();
}

// ------------------------------------------------------- connection control

void ReceiverPart::CtrlEn(bool enabled)
{
    m_state->setConnected(!enabled);
    m_ui->coCOM->setEnabled(enabled);
    yield();
}

void ReceiverPart::EditEn(bool enabled)
{
    m_state->setLocked(!enabled);
    yield();
}

void ReceiverPart::ShowBuf(bool reset)
{
    if (reset) {
        paintLamp(m_ui->pBuf_0, kTxIdle);
        paintLamp(m_ui->pBuf_1, kRxIdle);
        return;
    }
    paintLamp(m_ui->pBuf_0, m_port->cOutBufferCount() != 0 ? kTxActive : kTxIdle);
    paintLamp(m_ui->pBuf_1, m_port->cInBufferCount() != 0 ? kRxActive : kRxIdle);
}

void ReceiverPart::COMlist()
{
    m_state->setPortsListed(false);
    yield();
    // Made by the first fill, after the window's first paint: the
    // enumerator searches the ports as it is created.
    if (!m_enum)
        m_enum = std::make_unique<clsCOMenum2>(std::move(m_portSource));
    m_enum->EnumNow();
    const qint16 n = m_enum->Count();
    if (n == m_lastPortCount)
        return;
    m_lastPortCount = n;
    if (n <= 0) {
        m_ui->coCOM->clear();
        m_portWatcher->setListedPaths({});
        return;
    }
    const QList<PortRecord> &ports = m_enum->records();
    // Ports are remembered by name here; a number from elsewhere still counts.
    fillPortList(ports, PortChoice::preselect(ports, ProgramSettings().comPort()));
}

void ReceiverPart::fillPortList(const QList<PortRecord> &ports, int selected)
{
    m_ui->coCOM->clear();
    for (const PortRecord &r : ports) {
        m_ui->coCOM->addItem(PortChoice::listText(r));
        const int row = m_ui->coCOM->count() - 1;
        m_ui->coCOM->setItemData(row, r.portNum, kPortNumRole);
        m_ui->coCOM->setItemData(row, r.port, kPortNameRole);
        m_ui->coCOM->setItemData(row, r.path, kPortPathRole);
    }
    m_ui->coCOM->setCurrentIndex(selected);
    m_state->setPortsListed(!ports.isEmpty());
    m_portWatcher->setListedPaths(listedPortPaths());
}

QStringList ReceiverPart::listedPortPaths() const
{
    QStringList paths;
    for (int row = 0; row < m_ui->coCOM->count(); ++row)
        paths << m_ui->coCOM->itemData(row, kPortPathRole).toString();
    return paths;
}

// Watched while not connected, so the list follows plugging in and out.
void ReceiverPart::watchPorts()
{
    m_portWatcher->setListedPaths(listedPortPaths());
    m_portWatcher->setActive(!connected());
}

void ReceiverPart::followPorts()
{
    if (connected() || !m_enum)
        return;
    // A rebuild or transfer holds the controls; the list follows after it.
    if (!m_state->idle()) {
        QTimer::singleShot(PortWatcher::kSettleMs, this, &ReceiverPart::followPorts);
        return;
    }
    const QStringList before = listedPortPaths();
    m_enum->EnumNow();
    const QList<PortRecord> &ports = m_enum->records();
    QStringList now;
    for (const PortRecord &r : ports)
        now << r.path;
    if (now == before)
        return;
    m_lastPortCount = m_enum->Count();
    fillPortList(ports, PortChoice::follow(ports, before, m_portChosenByHand, ProgramSettings().comPort()));
}

void ReceiverPart::cRefresh_Click()
{
    if (connected())
        return;
    m_state->setPortsListed(false);
    m_lastPortCount = -1;
    m_ui->coCOM->clear();
    yield();
    COMlist();
    CtrlEn(true);
}

void ReceiverPart::ckConn_Click(bool checked)
{
    if (!checked) {
        if (m_port->IsOpen()) {
            m_timerChk.stop();
            m_port->cClose();
            ShowBuf(true);
        }
        CtrlEn(true);
    } else {
        CtrlEn(false);
        if (!m_port->IsOpen()) {
            const int row = m_ui->coCOM->currentIndex();
            const ReceiverSession::Opening o = m_session->open(
                m_ui->coCOM->itemData(row, kPortPathRole).toString(),
                static_cast<qint16>(m_ui->coCOM->itemData(row, kPortNumRole).toInt()), PortProblem::Source::Listed);
            if (o.open) {
                m_timerChk.start();
            } else {
                m_ui->ckConn->setChecked(false);
                m_dialogs->beep();
                // Then why, when it is known.
                if (!o.why.isEmpty())
                    showError(framed(o.why));
            }
        }
    }
    watchPorts();
    m_ui->lList->setFocus();
    yield();
    m_ui->ckConn->setFocus();
}

void ReceiverPart::TimerChk_Timer()
{
    if (!connected() || m_port->IsOpen())
        return;
    m_timerChk.stop();
    m_ui->ckConn->setChecked(false);
    m_port->cClose();
    ShowBuf(true);
    cRefresh_Click();
    watchPorts();
}

void ReceiverPart::COMp_OnComm()
{
    ShowBuf(false);
    yield();
}

void ReceiverPart::COMp_OnEvent()
{
    ShowBuf(false);
    (void)m_port->GetEvents();
}

void ReceiverPart::COMp_failure(const QString &description)
{
    // During a transfer the engine takes the report and ends the transfer.
    if (!m_engine->isRunning())
        linkLost(description);
}

void ReceiverPart::COMp_deviceGone()
{
    // A lost port while idle switches back without a word, as the
    // connection check would a second later.
    if (!m_engine->isRunning())
        TimerChk_Timer();
}

void ReceiverPart::linkLost(const QString &description)
{
    if (connected())
        TimerChk_Timer();
    showError(framed(description));
}

// ---------------------------------------------------------------- transfers

bool ReceiverPart::beginTransfer()
{
    if (!m_state->idle())
        return false;
    m_focus.hold();
    m_state->setActivity(CommandState::Activity::Transfer);
    m_focus.moved();
    return true;
}

void ReceiverPart::endTransfer(TransferWords::Ending ending)
{
    const TransferEngine::Outcome &outcome = ending.outcome;
    if (outcome.status == TransferEngine::Status::LinkLost)
        linkLost(outcome.description);
    m_state->setActivity(CommandState::Activity::Idle);
    m_focus.giveBack();
    // Beside the boxes that say what went wrong: what came of it, in a word.
    if (m_engine->abortRequested())
        ending.stop = TransferWords::Stop::Escape;
    m_notice->say(TransferWords::closing(ending));
}

void ReceiverPart::cDL_Click()
{
    if (!beginTransfer())
        return;
    EditEn(false);
    TransferWords::Ending ending(TransferWords::Command::Download);
    TransferEngine::Outcome &outcome = ending.outcome;
    if (connected()) {
        m_model->clearRows();
        ReceiverSession::Download got = m_session->download(m_model->table());
        outcome = got.outcome;
        ending.channels = got.table.size();
        m_values = got.values;
        if (outcome.status == TransferEngine::Status::Done) {
            emit received(got.table);
            emit backupWanted(QStringLiteral("download"));
        } else {
            // Limits a reply carries count even without a list. Show the
            // table that is still there instead of an empty list that looks
            // as if every channel were gone.
            m_model->setLimits(got.table.limits());
            emit notReceived();
        }
    }
    EditEn(true);
    ShowBuf(true);
    emit showEntry(m_ui->lList->currentIndex().row());
    endTransfer(ending);
    m_ui->cDL->setFocus();
}

void ReceiverPart::cUL_Click()
{
    if (!beginTransfer())
        return;
    EditEn(false);
    emit backupWanted(QStringLiteral("upload"));
    const MemoryTable &table = m_model->table();
    finishUpload(TransferWords::Ending(TransferWords::Command::Upload, m_engine->SendData(table), table.size()));
}

void ReceiverPart::uploadChangedChannels()
{
    if (!connected() || !beginTransfer())
        return;
    EditEn(false);
    const MemoryTable &table = m_model->table();
    const ReceiverSession::ChangedUpload up
        = m_session->uploadChanged(table, table.size(), [this](const MemoryTable &, const QList<int> &) {
              emit backupWanted(QStringLiteral("upload"));
              return true;
          });
    finishUpload(
        TransferWords::Ending(TransferWords::Command::UploadChanged, up.outcome, static_cast<int>(up.sent.size())));
}

// What every upload ends with: sent in full, the list is clean.
void ReceiverPart::finishUpload(const TransferWords::Ending &ending)
{
    if (ending.outcome.status == TransferEngine::Status::Done)
        m_model->markClean();
    m_ui->lList->setCurrentIndex(m_model->index(0));
    m_dialogs->beep();
    EditEn(true);
    ShowBuf(true);
    endTransfer(ending);
    // Back to the button once the receiver's messages are read.
    m_dialogs->afterMessages([this] { m_ui->cUL->setFocus(); });
}

void ReceiverPart::cUpd_Click()
{
    if (m_ui->lList->currentIndex().row() < 0) {
        m_dialogs->beep();
        return;
    }
    (*m_commands)[Commands::Apply]->trigger();
    if (!beginTransfer())
        return;
    endTransfer(TransferWords::Ending(TransferWords::Command::Update,
                                      m_engine->SendEntry(m_model->table(), m_ui->lList->currentIndex().row() + 1)));
}

void ReceiverPart::cSync_Click()
{
    if (!beginTransfer())
        return;
    const QTime now = Clock::now().time();
    endTransfer(TransferWords::Ending(TransferWords::Command::Sync, m_engine->SyncDate(now), 0, now));
}

// ------------------------------------------------------------------- menus

void ReceiverPart::updateChangedCount()
{
    (*m_commands)[Commands::UploadChanged]->setText(tr("Upload changed channels (%1)").arg(m_model->changedCount()));
}

void ReceiverPart::showUploadMenu(const QPoint &at)
{
    QMenu menu(m_ui->cUL);
    menu.setObjectName(QStringLiteral("uploadMenu"));
    menu.addAction((*m_commands)[Commands::UploadChanged]);
    menu.exec(m_ui->cUL->mapToGlobal(at));
}
