// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngIconEngine.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

PngIconEngine::PngIconEngine(Files files, Colours colours) : m_files(std::move(files)), m_colours(colours) {}

QPixmap PngIconEngine::inPaletteColour(const QImage &glyph, QIcon::Mode mode)
{
    const QPalette palette = QGuiApplication::palette();
    QColor colour = palette.color(QPalette::Active, QPalette::ButtonText);
    if (mode == QIcon::Disabled) {
        // Halfway to the button's own colour: dimmer on light and dark alike.
        const QColor button = palette.color(QPalette::Active, QPalette::Button);
        colour = QColor((colour.red() + button.red()) / 2, (colour.green() + button.green()) / 2,
                        (colour.blue() + button.blue()) / 2);
    } else if (mode == QIcon::Selected) {
        colour = palette.color(QPalette::Active, QPalette::HighlightedText);
    }
    // The drawing's coverage, filled with that colour.
    QImage tinted = glyph.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&tinted);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(tinted.rect(), colour);
    painter.end();
    return QPixmap::fromImage(tinted);
}

QImage PngIconEngine::image(int index)
{
    auto it = m_decoded.find(index);
    if (it == m_decoded.end()) {
        // The format is known: no plug-in needs asking.
        QImageReader reader(m_files[index].second, "png");
        reader.setAutoDetectImageFormat(false);
        it = m_decoded.insert(index, reader.read());
    }
    return *it;
}

QPixmap PngIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State)
{
    if (m_files.isEmpty() || size.isEmpty())
        return QPixmap();
    // The smallest drawing at least as large, else the largest there is.
    const int edge = qMax(size.width(), size.height());
    int index = int(m_files.size()) - 1;
    for (int i = 0; i < m_files.size(); ++i) {
        if (m_files[i].first >= edge) {
            index = i;
            break;
        }
    }
    QImage img = image(index);
    if (img.isNull())
        return QPixmap();
    if (img.width() > size.width() || img.height() > size.height())
        img = img.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (m_colours == Colours::ButtonText)
        return inPaletteColour(img, mode);
    QPixmap pm = QPixmap::fromImage(img);
    if (mode == QIcon::Normal || mode == QIcon::Active)
        return pm;
    QStyleOption opt;
    opt.palette = QGuiApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, pm, &opt);
}

void PngIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap pm = pixmap(rect.size() * dpr, mode, state);
    pm.setDevicePixelRatio(dpr);
    const QSize shown = pm.deviceIndependentSize().toSize();
    painter->drawPixmap(QRect(rect.center() - QPoint(shown.width() / 2, shown.height() / 2), shown), pm);
}

QList<QSize> PngIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const auto &file : m_files)
        sizes << QSize(file.first, file.first);
    return sizes;
}

QIconEngine *PngIconEngine::clone() const
{
    return new PngIconEngine(*this);
}

QString PngIconEngine::key() const
{
    return QStringLiteral("PngIconEngine");
}
