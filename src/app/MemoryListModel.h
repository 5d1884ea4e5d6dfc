// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryTable.h"

#include <QAbstractListModel>
#include <QMap>
#include <QVector>

// The memory table as the list shows it. A row's text is the table's line,
// unless Apply or Clear wrote that line since the last rebuild: the model
// keeps those as written. Rows appear one by one while the list is rebuilt
// line by line. Lines of channels that differ from the clean table (as last
// loaded, saved, downloaded or uploaded) are bold.
//
// Everything that changes the table goes through here, so the view always
// shows the table; the undo steps call these operations.
class MemoryListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using Lines = QMap<int, QString>;   // row -> text written by Apply or Clear
    static const QString kMimeType;      // dragged channels

    explicit MemoryListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

    const MemoryTable &table() const { return m_table; }

    // The text of a row, and the rows Apply and Clear wrote.
    QString line(int row) const;
    void setLine(int row, const QString &text);
    Lines writtenLines() const { return m_written; }
    void setWrittenLines(const Lines &lines);

    // Showing the table: no rows (the written lines are kept for whoever
    // shows them again); every row at once (the written lines go); or row
    // after row, from none (the written lines go).
    void clearRows();
    void showAll();
    void startRows();
    void addRow();

    // Changing the table. Positions count from 1, rows from 0.
    void setTable(const MemoryTable &table);
    void setEntry(int n, const MemoryEntry &entry);
    void setEntries(const QVector<MemoryEntry> &entries);
    void setMemoryCount(qint16 count);
    void setLimits(const Bands::Limits &limits);
    void clearTable();
    // The entries put in another order (the old rows in their new order);
    // each line keeps its number and takes the rest of the line it comes
    // from, written lines included.
    void reorder(const QList<int> &order);

    // The table the bold lines, the modified mark and the question at close
    // are measured against: the list as last loaded, saved, downloaded or
    // uploaded in full.
    void markClean();
    bool isChanged(int n) const;
    int changedCount() const;
    bool isModified() const;

    // Whether a channel may be dragged to another line now.
    void setMovable(bool movable) { m_movable = movable; }

signals:
    // Channels were dropped on another line (rows from 0, ascending).
    void moveRequested(const QList<int> &rows, int to);
    void cleanTableChanged();

private:
    QString tableLine(int row) const;
    void rowsChanged(int first, int last);

    MemoryTable m_table;
    QVector<MemoryEntry> m_clean;
    Lines m_written;
    int m_rows = 0;
    bool m_movable = true;
};
