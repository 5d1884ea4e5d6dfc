// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Draws a line whose font role asks for bold with its strokes doubled one
// device pixel to the right. The list's bitmap font has no bold face at its
// size that Qt will draw (it hands back the regular glyphs), so asking the
// font for bold alone leaves changed lines looking plain.
class BoldLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
