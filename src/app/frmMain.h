#pragma once

#include <QWidget>

class Dialogs;

class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(Dialogs *dialogs, QWidget *parent = nullptr);
    void startUp() {}
private:
    Dialogs *m_dialogs;
};
