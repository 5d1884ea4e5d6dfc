// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QWidget;
namespace Ui {
class frmMain;
}

// Fonts, glyph icons and the plain frames of the main window.
namespace WindowLook {

void apply(QWidget *window, Ui::frmMain *ui);

// The fixed-pitch font of the list and the edit boxes on a screen of this
// pixel ratio: the Terminus bitmap font where it shows at its size.
QFont fixedFont(qreal devicePixelRatio);

} // namespace WindowLook
