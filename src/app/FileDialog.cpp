#include "FileDialog.h"

#include <QFileDialog>

namespace mFileDialog {

QString FileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                   const QString &filter)
{
    QFileDialog dlg(owner, title, initialPath, filter);
    dlg.setAcceptMode(mode == 1 ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

} // namespace mFileDialog
