#include "extras/ItemDrawerGlyphs.h"

#include "extras/ItemDrawerColors.h"

namespace {

// Works in straight (not premultiplied) ARGB so that colours can be compared
// and replaced byte by byte.
QImage Straight(const QImage& glyph) {
    return glyph.convertToFormat(QImage::Format_ARGB32);
}

QRgb KeyOf(const QImage& image) {
    if (image.isNull())
        return 0;
    return image.pixel(0, image.height() - 1);
}

// Alpha a replaced pixel keeps: its own when the transparent colour is
// itself transparent (a picture with an alpha channel), else fully opaque.
int KeptAlpha(QRgb pixel, QRgb key) {
    return qAlpha(key) == 0 ? qAlpha(pixel) : 255;
}

template <typename Replace> QImage MapGlyph(const QImage& glyph, Replace replace) {
    QImage image = Straight(glyph);
    const QRgb key = KeyOf(image);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = line[x] == key ? qRgba(0, 0, 0, 0) : replace(line[x], key);
    }
    return image;
}

} // namespace

QImage TransparentGlyph(const QImage& glyph) {
    return MapGlyph(glyph, [](QRgb pixel, QRgb) { return pixel; });
}

QImage GlyphShadow(const QImage& glyph, const QColor& shadow) {
    const QRgb colour = shadow.rgb();
    return MapGlyph(glyph, [colour](QRgb pixel, QRgb key) {
        return qRgba(qRed(colour), qGreen(colour), qBlue(colour), KeptAlpha(pixel, key));
    });
}

QImage DisabledGlyph(const QImage& glyph, const QColor& gutter) {
    const QColor back = gutter.toRgb();
    return MapGlyph(glyph, [back](QRgb pixel, QRgb key) {
        const int grey = Grey(QColor(pixel)).red();
        return qRgba((grey + back.red()) / 2, (grey + back.green()) / 2, (grey + back.blue()) / 2,
                     KeptAlpha(pixel, key));
    });
}
