#pragma once

class QWidget;
namespace Ui {
class frmMain;
}

// Fonts, glyph icons and the plain frames of the main window.
namespace WindowLook {

void apply(QWidget *window, Ui::frmMain *ui);

} // namespace WindowLook
