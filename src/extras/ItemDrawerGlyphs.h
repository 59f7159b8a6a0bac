#pragma once
// Pixel work on menu glyphs. A glyph's transparent colour is its bottom-left
// pixel, as for the menu bitmaps of old; for a picture with an alpha channel
// that pixel is normally fully transparent, and the partial alpha of smoothed
// edges is kept, so that the results stay smooth.

#include <QColor>
#include <QImage>

// The glyph with every pixel of its transparent colour made fully transparent.
QImage TransparentGlyph(const QImage& glyph);

// The glyph's silhouette: every pixel that differs from the transparent
// colour painted in `shadow`, the rest transparent.
QImage GlyphShadow(const QImage& glyph, const QColor& shadow);

// The look of a disabled item's glyph: every pixel that differs from the
// transparent colour becomes the byte-wise mean of its grey and `gutter`.
QImage DisabledGlyph(const QImage& glyph, const QColor& gutter);
