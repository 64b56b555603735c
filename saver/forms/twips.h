#pragma once
// Twips, the forms runtime's unit of length: 1440 to the inch, so 15 to the pixel at the usual
// 96 dots per inch.
namespace forms {

inline constexpr int twipsPerInch = 1440;

// Twips per pixel at a screen resolution: 1440 / dpi, rounded to whole twips (at least 1).
int twipsPerPixelAt(double dotsPerInch);

// A length in twips as whole pixels, rounded to the nearest pixel.
int twipsToPixels(double twips, int twipsPerPixel);
double pixelsToTwips(int pixels, int twipsPerPixel);

}  // namespace forms
