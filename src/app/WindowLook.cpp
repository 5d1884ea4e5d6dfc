// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowLook.h"

#include "PngIconEngine.h"
#include "ui_frmMain.h"

#include <QFontDatabase>
#include <QIcon>

namespace WindowLook {

namespace {

// The family when installed, else the given fallback at the same pixel size.
QFont fontOr(const QString &family, const QFont &fallback, int pixelSize)
{
    QFont f = QFontDatabase::hasFamily(family) ? QFont(family) : fallback;
    f.setPixelSize(pixelSize);
    return f;
}

void setIcon(QAbstractButton *button, const char *name)
{
    // Both drawings, so the glyph stays sharp when the window moves to a
    // screen of another scale.
    const QString file = QStringLiteral(":/icons/%1").arg(QLatin1String(name));
    button->setIcon(QIcon(new PngIconEngine({{16, file + ".png"}, {32, file + "@2x.png"}},
                                            PngIconEngine::Colours::ButtonText)));
    button->setIconSize(QSize(16, 16));
}

// Asks the font list only: a font info would load the font to find out.
bool installed(const QFont &f)
{
    return QFontDatabase::hasFamily(f.family());
}

} // namespace

QFont fixedFont(qreal devicePixelRatio)
{
    QFont terminus(QStringLiteral("Terminus"));
    terminus.setPixelSize(12);
    const bool scaled = !qFuzzyCompare(devicePixelRatio, 1.0);
    if (installed(terminus) && (!scaled || QFontDatabase::isSmoothlyScalable(terminus.family())))
        return terminus;
    if (installed(terminus)) {
        // A bitmap font keeps its 12 device pixels on a scaled screen while its
        // cells are spread to the scaled width; a scalable font with the same
        // 6-pixel cell takes its place there.
        QFont mono(QStringLiteral("DejaVu Sans Mono"));
        mono.setStyleHint(QFont::TypeWriter);
        mono.setPixelSize(10);
        if (installed(mono))
            return mono;
    }
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPixelSize(12);
    return system;
}

void apply(QWidget *window, Ui::frmMain *ui)
{
    QFont sans(QStringLiteral("DejaVu Sans"));
    sans.setStyleHint(QFont::SansSerif);
    window->setFont(fontOr(QStringLiteral("Tahoma"), sans, 11));
    PngIconEngine::Files appIcon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        appIcon.append({size, QStringLiteral(":/appicon/presetta-%1.png").arg(size)});
    window->setWindowIcon(QIcon(new PngIconEngine(appIcon)));

    const QFont fixed = fixedFont(window->devicePixelRatioF());
    for (QWidget *w : {static_cast<QWidget *>(ui->lList), static_cast<QWidget *>(ui->tBand),
                       static_cast<QWidget *>(ui->tFreq), static_cast<QWidget *>(ui->tName),
                       static_cast<QWidget *>(ui->tPI), static_cast<QWidget *>(ui->coBW),
                       static_cast<QWidget *>(ui->coST)})
        w->setFont(fixed);

    setIcon(ui->cSync, "sync");
    setIcon(ui->cDL, "download");
    setIcon(ui->cUL, "upload");
    setIcon(ui->cRefresh, "refresh");
    setIcon(ui->cLoad, "load");
    setIcon(ui->cSave, "save");
    setIcon(ui->cUp, "up");
    setIcon(ui->cDn, "down");
    setIcon(ui->cIns, "insert");
    setIcon(ui->cDel, "delete");
    setIcon(ui->cAply, "apply");
    setIcon(ui->cUpd, "update");
    setIcon(ui->cClr, "clear");

    // The connect toggle looks like a button that stays down; the lamps sit
    // in front of the blanks that lead its caption.
    ui->ckConn->setStyleSheet(QStringLiteral(
        "QCheckBox#ckConn { border: 1px solid palette(mid); border-radius: 2px;"
        " background: palette(button); padding-left: 2px; }"
        "QCheckBox#ckConn:checked { background: palette(midlight); border: 1px solid palette(dark); }"
        "QCheckBox#ckConn::indicator { width: 0px; height: 0px; }"));
    ui->pData->raise();
}

} // namespace WindowLook
