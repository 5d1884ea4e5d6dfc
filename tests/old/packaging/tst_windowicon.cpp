// The window icon comes from the program's own resources, so it shows on a
// system without any icon theme, as long as Qt's SVG plugins are present
// (the Debian package depends on them for that reason).
#include "RecordingDialogs.h"
#include "frmMain.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTest>

namespace {

int opaquePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return n;
}

} // namespace

class tst_WindowIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No theme to fall back on.
        QIcon::setThemeSearchPaths({});
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
    }

    void svgSupportIsAvailable()
    {
        QVERIFY2(QImageReader::supportedImageFormats().contains("svg"),
                 "Qt's SVG image plugin is missing (Debian package libqt6svg6)");
    }

    void windowIconRendersWithoutTheme_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("16") << 16;
        QTest::newRow("32") << 32;
        QTest::newRow("256") << 256;
    }

    void windowIconRendersWithoutTheme()
    {
        QFETCH(int, size);
        RecordingDialogs dialogs;
        frmMain window(&dialogs);
        const QIcon icon = window.windowIcon();
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // The radio fills well over a third of the square.
        QVERIFY2(opaquePixels(image) > size * size / 3, "the window icon rendered empty");
    }
};

QTEST_MAIN(tst_WindowIcon)
#include "tst_windowicon.moc"
