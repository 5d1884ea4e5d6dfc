#include "WindowLook.h"

#include "ui_frmMain.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>

// Resources of a static library must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(presetta);
}

namespace WindowLook {

namespace {

// The family when installed, else the given fallback at the same pixel size.
QFont fontOr(const QString &family, const QFont &fallback, int pixelSize)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    if (QFontInfo(f).family().compare(family, Qt::CaseInsensitive) == 0)
        return f;
    QFont g = fallback;
    g.setPixelSize(pixelSize);
    return g;
}

void setIcon(QAbstractButton *button, const char *name)
{
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name))));
    button->setIconSize(QSize(16, 16));
}

} // namespace

void apply(QWidget *window, Ui::frmMain *ui)
{
    initResources();
    QFont sans(QStringLiteral("DejaVu Sans"));
    sans.setStyleHint(QFont::SansSerif);
    window->setFont(fontOr(QStringLiteral("Tahoma"), sans, 11));
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/presetta.svg")));

    const QFont fixed = fontOr(QStringLiteral("Terminus"),
                               QFontDatabase::systemFont(QFontDatabase::FixedFont), 12);
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
