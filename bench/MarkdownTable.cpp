#include "MarkdownTable.h"

#include <QList>

#include <algorithm>

namespace {
bool looksNumeric(const QString &cell)
{
    return !cell.isEmpty() && (cell.at(0).isDigit() || cell.at(0) == QLatin1Char('-'));
}
} // namespace

MarkdownTable::MarkdownTable(const QStringList &headers)
    : m_headers(headers)
{
}

void MarkdownTable::addRow(const QStringList &cells)
{
    QStringList row = cells.mid(0, m_headers.size());
    while (row.size() < m_headers.size())
        row << QString();
    m_rows << row;
}

QString MarkdownTable::text() const
{
    QList<qsizetype> width;
    for (const QString &h : m_headers)
        width << std::max<qsizetype>(3, h.size());
    for (const QStringList &row : m_rows)
        for (qsizetype c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], row[c].size());

    auto line = [&](const QStringList &cells, bool header) {
        QString out = QStringLiteral("|");
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const bool right = !header && c > 0 && looksNumeric(cells[c]);
            out += QLatin1Char(' ')
                + (right ? cells[c].rightJustified(width[c]) : cells[c].leftJustified(width[c]))
                + QStringLiteral(" |");
        }
        return out + QLatin1Char('\n');
    };

    QString out = line(m_headers, true);
    out += QLatin1Char('|');
    for (const qsizetype w : width)
        out += QString(w + 2, QLatin1Char('-')) + QLatin1Char('|');
    out += QLatin1Char('\n');
    for (const QStringList &row : m_rows)
        out += line(row, false);
    return out;
}

QString MarkdownTable::number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString MarkdownTable::percent(double share, int decimals)
{
    return QString::number(share * 100.0, 'f', decimals) + QLatin1Char('%');
}

QString MarkdownTable::meets(double value, double goal)
{
    return value <= goal ? QStringLiteral("yes") : QStringLiteral("NO");
}
