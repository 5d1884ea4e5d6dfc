#pragma once

#include "memlist/MemoryTable.h"

#include <QWidget>

class Dialogs;
class QLineEdit;
namespace Ui {
class frmMain;
}

// The program's one window: the memory list, the entry editor, the file and
// receiver commands. Logic lives in the core; this class wires controls to it.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(Dialogs *dialogs, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up sequence: settings, empty list, automatic load, show, ports.
    void Form_Load();

    const MemoryTable &table() const { return m_table; }
    bool abortFlag() const { return m_abort; }
    QString lastDir() const { return m_lastDir; }

    // Window operations on the memory list.
    void ClearList();
    void NewList();
    void RefreshList(bool silent);
    void FillCombos(qint16 band);

    // Entry editor.
    void lList_Click();
    void tFreq_Validate();
    void cAply_Click();
    void cClr_Click();

    // List operations.
    void cUp_Click();
    void cDn_Click();
    void cIns_Click();
    void cDel_Click();

    // Memory files.
    void cSave_Click();
    void cLoad_Click();
    void LoadCSV(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupLook();
    void wireControls();
    void selectWholeTextLater(QLineEdit *box);
    bool freqKeyPress(QKeyEvent *e);
    bool piKeyPress(QKeyEvent *e);
    bool arrowKeyDown(QLineEdit *box, QKeyEvent *e);
    void setLine(int position, const QString &text);
    int selectedPosition() const;
    void selectPosition(int position);
    void Form_Unload();
    void restorePosition();
    void storePosition();
    void showError(const QString &text, const QString &title = QStringLiteral(" ERROR"));
    // Full settings path of one of the window's values ("\\LastDir", ...).
    QString setting(const QString &suffix) const;

    Ui::frmMain *m_ui;
    Dialogs *m_dialogs;
    MemoryTable m_table;
    qint16 m_bandLastOffered;
    bool m_abort = false;
    bool m_rebuilding = false;
    QString m_lastDir;
};
