#include "BenchDialogs.h"

void BenchDialogs::stopMessage(QWidget *, const QString &text, const QString &title)
{
    m_messages << title.trimmed() + QStringLiteral(": ") + text.trimmed();
}

QString BenchDialogs::fileDialog(QWidget *, int, const QString &, const QString &, const QString &)
{
    return QString();
}
