// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QList>
#include <utility>

// An icon made of PNG files of known sizes, each decoded only when a pixmap
// of about its size is first asked for. Qt's own file icons decode every size
// at once and try every image plug-in on each file, which is most of what the
// window's icons cost at start-up.
class PngIconEngine : public QIconEngine
{
public:
    using Files = QList<std::pair<int, QString>>; // edge length, path; smallest first
    // A one-colour glyph takes the button text colour of the palette, so it
    // stays visible on dark buttons and looks dimmer when disabled; a
    // picture (the program's icon) keeps its own colours.
    enum class Colours { AsDrawn, ButtonText };

    explicit PngIconEngine(Files files, Colours colours = Colours::AsDrawn);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    QImage image(int index);
    static QPixmap inPaletteColour(const QImage &glyph, QIcon::Mode mode);

    Files m_files;
    Colours m_colours;
    QHash<int, QImage> m_decoded; // by index into m_files
};
