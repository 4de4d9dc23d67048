// The software rasteriser behind the canvas and the device-context functions. Every routine
// takes device (buffer) coordinates unless it says otherwise and draws only inside the
// device context's clip region and its target buffer.
#pragma once

#include "toolkit/graphics/Graphics.h"

namespace raster {

// The visible parts of a device rectangle: the clip rectangles of the device context, cut to
// its target buffer and to the area.
std::vector<TRect> ClipRects(HDC dc, const TRect& area);

// Writes one pixel (an RGB colour already resolved from system colours) when it is visible.
void PutPixel(HDC dc, int x, int y, std::uint32_t pixel);

// Blends a colour onto one visible pixel with the given coverage (0..255).
void BlendPixel(HDC dc, int x, int y, std::uint32_t pixel, int coverage);

// Fills a device rectangle with a solid RGB pixel value.
void FillSolid(HDC dc, const TRect& rect, std::uint32_t pixel);

// Fills a device rectangle with a brush: solid, hatched or a tiled pattern bitmap (tiles are
// aligned to the window origin of the view). A clear brush paints nothing.
void FillWithBrush(HDC dc, const TRect& rect, const TBrush& brush);

// Draws a line with the pen from `from` to `to` (device coordinates), leaving out `to`.
void PenLine(HDC dc, TPoint from, TPoint to, const TPen& pen);

// Fills a polygon (device coordinates) with the alternate (even-odd) rule.
void FillPolygon(HDC dc, const std::vector<TPoint>& points, const TBrush& brush);

// How a blit combines source and destination.
enum class TBlitMode {
    Copy,       // source replaces destination
    KeyedCopy,  // source pixels of the key colour leave the destination untouched
    KeyToBrush, // source pixels of the key colour are replaced by the brush colour
    AlphaBlend, // source is ARGB, blended by its alpha
};

// Copies (stretching when the sizes differ) part of a pixel buffer to a device rectangle.
void Blit(HDC dc, const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect, TBlitMode mode,
          std::uint32_t keyPixel = 0, std::uint32_t brushPixel = 0);

} // namespace raster
