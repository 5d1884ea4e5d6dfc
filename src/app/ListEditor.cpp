// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListEditor.h"

#include "ui_frmMain.h"

#include "CommandState.h"
#include "Dialogs.h"
#include "ListSteps.h"
#include "MemoryListModel.h"
#include "memlist/EntryEditor.h"
#include "memlist/LineFormat.h"
#include "text/TextUtil.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <limits>

namespace {

bool isEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Delete arrives with the DEL character as its text; it edits, it does not type.
bool editsRatherThanTypes(const QKeyEvent *e)
{
    return e->text().isEmpty() || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Tab
           || e->key() == Qt::Key_Delete;
}

} // namespace

ListEditor::ListEditor(Ui::frmMain *ui, MemoryListModel *model, QUndoStack *undo, const CommandState *state,
                       Dialogs *dialogs, QObject *parent)
    : QObject(parent), m_ui(ui), m_model(model), m_undo(undo), m_dialogs(dialogs),
      // No band has been offered yet, so the first FillCombos always acts.
      m_bandLastOffered(std::numeric_limits<qint16>::min())
{
    connect(m_ui->lList->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ListEditor::lList_Click);
    for (QWidget *box : {static_cast<QWidget *>(m_ui->tFreq), static_cast<QWidget *>(m_ui->tName),
                         static_cast<QWidget *>(m_ui->tPI), static_cast<QWidget *>(m_ui->coBW),
                         static_cast<QWidget *>(m_ui->coST)})
        box->installEventFilter(this);
    // Whatever changes a box but the editor's own filling is an edit: typing,
    // a choice, the frequency check resetting the choices.
    const auto changed = [this] {
        if (!m_filling)
            setEdited(true);
    };
    for (QLineEdit *box : {m_ui->tBand, m_ui->tFreq, m_ui->tName, m_ui->tPI})
        connect(box, &QLineEdit::textChanged, this, changed);
    for (QComboBox *list : {m_ui->coBW, m_ui->coST})
        connect(list, &QComboBox::currentIndexChanged, this, changed);
    // The busy lock of a download or upload holds the editor too.
    connect(state, &CommandState::changed, this, [this, state] {
        const bool on = !state->locked();
        for (QWidget *w : {static_cast<QWidget *>(m_ui->tBand), static_cast<QWidget *>(m_ui->tFreq),
                           static_cast<QWidget *>(m_ui->tName), static_cast<QWidget *>(m_ui->tPI),
                           static_cast<QWidget *>(m_ui->coBW), static_cast<QWidget *>(m_ui->coST)})
            w->setEnabled(on);
    });
}

int ListEditor::selectedPosition() const
{
    return m_ui->lList->currentIndex().row();
}

void ListEditor::selectPosition(int position)
{
    m_ui->lList->setCurrentIndex(m_model->index(position));
}

void ListEditor::showRow(int row)
{
    selectPosition(row);
    lList_Click();
}

void ListEditor::setEdited(bool edited)
{
    m_ui->cAply->setDefault(edited);
}

QList<int> ListEditor::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_ui->lList->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListEditor::showRows(const QList<int> &rows, int current)
{
    QItemSelection lines;
    for (int row : rows)
        lines.select(m_model->index(row), m_model->index(row));
    QItemSelectionModel *selection = m_ui->lList->selectionModel();
    selection->setCurrentIndex(m_model->index(current), QItemSelectionModel::NoUpdate);
    selection->select(lines, QItemSelectionModel::ClearAndSelect);
    lList_Click();
}

void ListEditor::FillCombos(qint16 band)
{
    if (band == m_bandLastOffered)
        return;
    const QScopedValueRollback<bool> filling(m_filling, true);
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

void ListEditor::clearBoxes()
{
    m_ui->tFreq->clear();
    m_ui->tName->clear();
    m_ui->tPI->clear();
    FillCombos(-1);
}

void ListEditor::lList_Click()
{
    if (!m_ui->lList->isEnabled())
        return;
    const QScopedValueRollback<bool> filling(m_filling, true);
    setEdited(false);
    const MemoryTable &table = m_model->table();
    const int n = selectedPosition() + 1;
    if (n < 1 || n > table.size()) {
        // No line selected: show an empty entry.
        m_ui->tBand->clear();
        clearBoxes();
        return;
    }
    const MemoryEntry &e = table.entry(n);
    switch (e.band) {
    case -1: m_ui->tBand->setText(QString()); break;
    case 0: m_ui->tBand->setText(QStringLiteral("AM")); break;
    case 1: m_ui->tBand->setText(QStringLiteral("FM")); break;
    default: m_ui->tBand->setText(QStringLiteral("??")); break;
    }
    if (e.band < 0) {
        clearBoxes();
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

void ListEditor::tFreq_Validate()
{
    switch (EntryEditor::bandOfText(m_ui->tFreq->text(), m_model->table().limits())) {
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

void ListEditor::cAply_Click()
{
    // Ctrl+Return leaves the focus in the frequency box: check it as leaving would.
    if (m_ui->tFreq->hasFocus())
        tFreq_Validate();
    const MemoryTable &table = m_model->table();
    const int p = qMax(0, selectedPosition());
    const int n = p + 1;
    if (n > table.size())
        return;
    const QScopedValueRollback<bool> filling(m_filling, true);
    setEdited(false);
    FillCombos(EntryEditor::bandOfText(m_ui->tFreq->text(), table.limits()));

    EntryEditor::Input in;
    in.n = n;
    in.memoryCount = table.size();
    in.bandText = m_ui->tBand->text();
    in.frequencyText = m_ui->tFreq->text();
    in.nameText = m_ui->tName->text();
    in.piText = m_ui->tPI->text();
    in.bandwidthIndex = m_ui->coBW->currentIndex();
    in.bandwidthItem = m_ui->coBW->currentText();
    in.stereoIndex = m_ui->coST->currentIndex();
    const EntryEditor::Result r = EntryEditor::apply(table.entry(n), in, table.limits());
    m_ui->tPI->setText(r.piBoxText);
    if (table.entry(n) != r.entry || m_model->line(p) != r.line)
        m_undo->push(new ListSteps::ApplyStep(
            m_model, [this](const ListSteps::Selection &s) { showRows(s.rows, s.current); }, n, r.entry, r.line));
}

void ListEditor::cClr_Click()
{
    const int p = selectedPosition();
    if (p < 0) {
        m_dialogs->beep();
        return;
    }
    const QScopedValueRollback<bool> filling(m_filling, true);
    setEdited(false);
    m_model->setLine(p, LineFormat::emptyLine(p + 1, m_model->table().size()));
    m_ui->tBand->clear();
    clearBoxes();
    m_ui->coBW->clear();
    m_ui->coST->clear();
}

// ------------------------------------------------------------- key handling

// A frequency is typed in digits only; anything else is dropped.
bool ListEditor::freqTextFiltered(const QString &text) const
{
    const QChar c = text.at(0);
    return !(text.size() == 1 && c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

// A PI code is typed in hex digits, lower case ones go in as upper case; anything else beeps.
bool ListEditor::piTextFiltered(const QString &text)
{
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

bool ListEditor::arrowKeyDown(QLineEdit *box, QKeyEvent *e)
{
    const int s = selectedPosition();
    if (e->key() == Qt::Key_Up && s > 0)
        selectPosition(s - 1);
    else if (e->key() == Qt::Key_Down && s < m_model->rowCount() - 1)
        selectPosition(s + 1);
    else
        return false;
    box->selectAll();
    return true;
}

// Keys of the list that a box keeps for itself: the arrows, which step
// through the lines in tFreq and tName (whatever the modifiers) and choose in
// the choice lists; Insert, which would put an empty channel in under the
// text being typed.
bool ListEditor::keepsKey(QObject *box, const QKeyEvent *e) const
{
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down)
        return box != m_ui->tPI;
    return e->key() == Qt::Key_Insert && qobject_cast<QLineEdit *>(box);
}

bool ListEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && keepsKey(watched, static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress
        && (watched == m_ui->tName || watched == m_ui->coBW || watched == m_ui->coST)) {
        // Nothing is left to move on to but Apply. An open list's own
        // Enter picks its item: its popup has the keys then, not the list.
        if (isEnter(static_cast<QKeyEvent *>(event))) {
            emit applyKey();
            return true;
        }
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Up || ke->key() == Qt::Key_Down)
            return box != m_ui->tPI && arrowKeyDown(box, ke);
        // Clipboard and editing keys stay usable; their text bypasses the filter.
        if (ke->matches(QKeySequence::Paste) || ke->matches(QKeySequence::Copy) || ke->matches(QKeySequence::Cut)
            || ke->matches(QKeySequence::SelectAll) || ke->matches(QKeySequence::Undo)
            || ke->matches(QKeySequence::Redo))
            return false;
        if (box != m_ui->tFreq && box != m_ui->tPI)
            return false;
        // Enter moves on to the next box.
        if (isEnter(ke)) {
            QWidget *next = box == m_ui->tFreq ? static_cast<QWidget *>(m_ui->tName) : m_ui->coBW;
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (editsRatherThanTypes(ke))
            return false;
        return box == m_ui->tFreq ? freqTextFiltered(ke->text()) : piTextFiltered(ke->text());
    }
    case QEvent::FocusIn:
        // After the focus change is complete, so a mouse click does not undo it.
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
        break;
    case QEvent::FocusOut:
        if (box == m_ui->tFreq) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                tFreq_Validate();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
