// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryListModel.h"

#include "memlist/LineFormat.h"

#include <QFont>
#include <QMimeData>

const QString MemoryListModel::kMimeType = QStringLiteral("application/x-presetta-channel");

MemoryListModel::MemoryListModel(QObject *parent) : QAbstractListModel(parent)
{
    m_clean = m_table.entries();
}

int MemoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant MemoryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return line(index.row());
    case Qt::FontRole:
        if (isChanged(index.row() + 1)) {
            // Only the weight: the rest comes from the list's own font.
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    default:
        break;
    }
    return QVariant();
}

Qt::ItemFlags MemoryListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    if (index.isValid() && m_movable)
        f |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    return f;
}

Qt::DropActions MemoryListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList MemoryListModel::mimeTypes() const
{
    return {kMimeType};
}

QMimeData *MemoryListModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.size() != 1 || !indexes.first().isValid())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(kMimeType, QByteArray::number(indexes.first().row() + 1));
    return data;
}

bool MemoryListModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                      const QModelIndex &parent) const
{
    return m_movable && action == Qt::MoveAction && data && data->hasFormat(kMimeType) && parent.isValid();
}

bool MemoryListModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                   const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    bool ok = false;
    const int from = data->data(kMimeType).toInt(&ok);
    const int to = parent.row() + 1;
    if (!ok || from < 1 || from > m_table.size() || to == from)
        return false;
    emit moveRequested(from, to);
    return true;
}

QString MemoryListModel::tableLine(int row) const
{
    return LineFormat::listLine(m_table.entry(row + 1), row + 1, m_table.size());
}

QString MemoryListModel::line(int row) const
{
    const auto it = m_written.constFind(row);
    return it != m_written.cend() ? *it : tableLine(row);
}

void MemoryListModel::rowsChanged(int first, int last)
{
    last = qMin(last, m_rows - 1);
    if (first <= last)
        emit dataChanged(index(first), index(last));
}

void MemoryListModel::setLine(int row, const QString &text)
{
    if (row < 0 || row >= m_rows)
        return;
    if (text == tableLine(row))
        m_written.remove(row);
    else
        m_written.insert(row, text);
    rowsChanged(row, row);
}

void MemoryListModel::setWrittenLines(const Lines &lines)
{
    m_written = lines;
    rowsChanged(0, m_rows - 1);
}

void MemoryListModel::clearRows()
{
    beginResetModel();
    m_rows = 0;
    endResetModel();
}

void MemoryListModel::showAll()
{
    beginResetModel();
    m_rows = m_table.size();
    m_written.clear();
    endResetModel();
}

void MemoryListModel::startRows()
{
    clearRows();
    m_written.clear();
}

void MemoryListModel::addRow()
{
    if (m_rows >= m_table.size())
        return;
    beginInsertRows(QModelIndex(), m_rows, m_rows);
    ++m_rows;
    endInsertRows();
}

void MemoryListModel::setTable(const MemoryTable &table)
{
    // Sizes may differ: the rows are shown again by whoever changed it.
    beginResetModel();
    m_table = table;
    m_rows = qMin(m_rows, m_table.size());
    m_written.clear();
    endResetModel();
}

void MemoryListModel::setEntry(int n, const MemoryEntry &entry)
{
    m_table.entry(n) = entry;
    rowsChanged(n - 1, n - 1);
}

void MemoryListModel::setEntries(const QVector<MemoryEntry> &entries)
{
    beginResetModel();
    m_table.setEntries(entries);
    m_rows = qMin(m_rows, m_table.size());
    endResetModel();
}

void MemoryListModel::setMemoryCount(qint16 count)
{
    m_table.setMemoryCount(count);
}

void MemoryListModel::setLimits(const Bands::Limits &limits)
{
    m_table.limits() = limits;
}

void MemoryListModel::clearTable()
{
    beginResetModel();
    m_table.clear();
    m_rows = qMin(m_rows, m_table.size());
    m_written.clear();
    endResetModel();
}

void MemoryListModel::swapEntries(int n)
{
    const int upper = n - 1;
    const int lower = n;
    // The texts as shown, exchanged past the split of the first line.
    QString upperText = line(upper);
    QString lowerText = line(lower);
    LineFormat::swapDataParts(upperText, lowerText, LineFormat::splitPosition(line(0)));
    m_table.swapEntries(n, n + 1);
    m_written.remove(upper);
    m_written.remove(lower);
    setLine(upper, upperText);
    setLine(lower, lowerText);
}

void MemoryListModel::moveEntry(int from, int to)
{
    for (int n = from; n > to; --n)
        swapEntries(n - 1);
    for (int n = from; n < to; ++n)
        swapEntries(n);
}

void MemoryListModel::insertEmptyAt(int n)
{
    m_table.insertEmptyAt(n);
    rowsChanged(n - 1, m_table.size() - 1);
}

void MemoryListModel::deleteAt(int n)
{
    m_table.deleteAt(n);
    rowsChanged(n - 1, m_table.size() - 1);
}

void MemoryListModel::markClean()
{
    m_clean = m_table.entries();
    rowsChanged(0, m_rows - 1);
    emit cleanTableChanged();
}

bool MemoryListModel::isChanged(int n) const
{
    return n > m_clean.size() || m_table.entry(n) != m_clean[n - 1];
}

bool MemoryListModel::isModified() const
{
    return m_table.entries() != m_clean;
}

int MemoryListModel::changedCount() const
{
    int changed = 0;
    for (int n = 1; n <= m_table.size(); ++n)
        changed += isChanged(n) ? 1 : 0;
    return changed;
}
