// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoldLineDelegate.h"

#include <QApplication>
#include <QPainter>

void BoldLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!opt.font.bold()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QString text = opt.text;
    opt.text.clear();
    // Background, selection and focus as every other line has them.
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QFont plain = opt.font;
    plain.setBold(false);
    // The same margin the style leaves beside a plain line's text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRectF textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget)
                                .adjusted(margin, 0, -margin, 0);
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                           : QPalette::Inactive;
    const QPalette::ColorRole role =
        (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    const qreal pixel = 1.0 / painter->device()->devicePixelRatioF();

    painter->save();
    painter->setFont(plain);
    painter->setPen(opt.palette.color(group, role));
    const int flags = int(opt.displayAlignment) | Qt::TextSingleLine;
    painter->drawText(textRect, flags, text);
    painter->drawText(textRect.translated(pixel, 0), flags, text);
    painter->restore();
}
