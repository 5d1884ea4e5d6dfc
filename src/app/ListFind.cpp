// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListFind.h"

#include "ui_frmMain.h"

#include "CommandState.h"
#include "Dialogs.h"
#include "ListEditor.h"
#include "MemoryListModel.h"

#include <QKeyEvent>

ListFind::ListFind(Ui::frmMain *ui, const MemoryListModel *model, const CommandState *state, Dialogs *dialogs,
                   ListEditor *editor, QObject *parent)
    : QObject(parent), m_ui(ui), m_model(model), m_state(state), m_dialogs(dialogs), m_editor(editor)
{
    connect(m_ui->lList, &ChannelListView::typed, this, &ListFind::nameTyped);
    m_ui->tFind->installEventFilter(this);
    m_ui->tFind->hide();
}

void ListFind::open()
{
    // Its icon is loaded when the field is first wanted, not at every start.
    m_ui->tFind->setClearButtonEnabled(true);
    m_ui->tFind->show();
    m_ui->tFind->raise();
    m_ui->tFind->setFocus(Qt::ShortcutFocusReason);
    m_ui->tFind->selectAll();
}

void ListFind::close()
{
    m_ui->tFind->hide();
    m_ui->lList->setFocus(Qt::OtherFocusReason);
}

void ListFind::findNext()
{
    find(StationFind::Direction::Next);
}

void ListFind::findPrevious()
{
    find(StationFind::Direction::Previous);
}

void ListFind::find(StationFind::Direction direction)
{
    // Nothing asked yet: the field asks.
    if (m_ui->tFind->text().trimmed().isEmpty()) {
        open();
        return;
    }
    const int row = StationFind::find(m_model->table().entries(), m_editor->selectedPosition(), m_ui->tFind->text(),
                                      direction);
    select(row);
    // In the middle of the list, where the field over it never hides the line.
    if (row >= 0)
        m_ui->lList->scrollTo(m_ui->lList->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void ListFind::nameTyped(const QString &text)
{
    // No command runs in the middle of a transfer or a rebuild; neither does this.
    if (!m_state->idle())
        return;
    select(StationFind::byTyping(m_model->table().entries(), m_editor->selectedPosition(), text));
}

void ListFind::select(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_dialogs->beep();
        return;
    }
    m_editor->selectPosition(row);
}

bool ListFind::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
