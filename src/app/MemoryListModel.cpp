// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryListModel.h"

#include "memlist/LineFormat.h"
#include "memlist/ListOrder.h"

#include <QFont>
#include <QMimeData>

#include <algorithm>

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
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (!index.isValid())
            return nullptr;
        rows << index.row();
    }
    if (rows.isEmpty())
        return nullptr;
    std::sort(rows.begin(), rows.end());
    QByteArrayList texts;
    for (int row : rows)
        texts << QByteArray::number(row);
    auto *data = new QMimeData;
    data->setData(kMimeType, texts.join(','));
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
    QList<int> rows;
    for (const QByteArray &text : data->data(kMimeType).split(',')) {
        bool ok = false;
        const int dragged = text.toInt(&ok);
        if (!ok || dragged < 0 || dragged >= m_table.size() || (!rows.isEmpty() && dragged <= rows.last()))
            return false;
        rows << dragged;
    }
    // Dropped on one of its own lines, a block stays where it is.
    if (rows.contains(parent.row()))
        return false;
    emit moveRequested(rows, parent.row());
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

void MemoryListModel::reorder(const QList<int> &order)
{
    // The texts as shown, split where the first line splits.
    const int split = LineFormat::splitPosition(line(0));
    Lines texts;
    for (int row = 0; row < order.size(); ++row) {
        if (order[row] == row)
            continue;
        QString own = line(row);
        QString from = line(order[row]);
        LineFormat::swapDataParts(own, from, split);
        texts.insert(row, own);
    }
    m_table.setEntries(ListOrder::applied(m_table.entries(), order));
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        m_written.remove(it.key());
        setLine(it.key(), it.value());
    }
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
