#pragma once

#include <QString>
#include <QStringList>

// A small table printed as Markdown, so the README can take it as it is.
class MarkdownTable
{
public:
    explicit MarkdownTable(const QStringList &headers);

    void addRow(const QStringList &cells);
    // Columns padded to their widest cell; numbers are right-aligned.
    QString text() const;

    static QString number(double value, int decimals);
    static QString percent(double share, int decimals = 2);
    // "yes" when value <= goal, else "NO".
    static QString meets(double value, double goal);

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};
