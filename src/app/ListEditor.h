// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class CommandState;
class Dialogs;
class MemoryListModel;
class QKeyEvent;
class QLineEdit;
class QUndoStack;
namespace Ui {
class frmMain;
}

// The entry editor beside the list: it shows the channel of the selected
// line, checks the typed frequency against the bands, and Apply writes the
// edit back as an undo step. Its boxes keep their own keys: a character
// filter each, Enter to move on (or, in the name and the two lists, to
// apply), Up and Down through the list; the list's keys do not reach past
// a box that uses them. While it holds edits not applied, Apply is drawn as
// the default button: another line would drop them.
class ListEditor : public QObject
{
    Q_OBJECT

public:
    ListEditor(Ui::frmMain *ui, MemoryListModel *model, QUndoStack *undo, const CommandState *state,
               Dialogs *dialogs, QObject *parent = nullptr);

    // The line the keyboard is on (-1 for none), selecting one, and showing one: selected, editor loaded.
    int selectedPosition() const;
    void selectPosition(int position);
    void showRow(int row);
    // The lines selected, in list order; showing several, the keyboard on one of them.
    QList<int> selectedRows() const;
    void showRows(const QList<int> &rows, int current);

    void FillCombos(qint16 band);
    void lList_Click();
    void tFreq_Validate();
    void cAply_Click();
    void cClr_Click();

signals:
    // Enter where it means Apply: the command runs as if its button were pressed.
    void applyKey();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearBoxes();
    bool freqTextFiltered(const QString &text) const;
    bool piTextFiltered(const QString &text);
    bool arrowKeyDown(QLineEdit *box, QKeyEvent *e);
    void setEdited(bool edited);
    bool keepsKey(QObject *box, const QKeyEvent *e) const;

    Ui::frmMain *m_ui;
    MemoryListModel *m_model;
    QUndoStack *m_undo;
    Dialogs *m_dialogs;
    qint16 m_bandLastOffered;
    bool m_filling = false;   // the editor itself fills the boxes: no edit of the user's
};
