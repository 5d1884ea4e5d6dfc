#include "frmMain.h"

frmMain::frmMain(Dialogs *dialogs, QWidget *parent) : QWidget(parent), m_dialogs(dialogs) {}
