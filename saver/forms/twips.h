#pragma once
// Twips, the forms runtime's unit of length: 1440 to the inch, so 15 to the pixel at the usual
// 96 dots per inch.
namespace forms {

inline constexpr int twipsPerInch = 1440;
// The pictures the saver carries are 96-dpi pictures: each of their pixels is 15 twips.
inline constexpr double pictureTwipsPerPixel = 15.0;

// Twips per pixel at a screen resolution: 1440 / dpi, not rounded, so that 192 dpi gives 7.5
// and a dialog keeps its designed size in inches; 15 for an unknown resolution.
double twipsPerPixelAt(double dotsPerInch);

// A length in twips as whole pixels, rounded to the nearest pixel.
int twipsToPixels(double twips, double twipsPerPixel);
double pixelsToTwips(int pixels, double twipsPerPixel);

// A font's size in points as a whole pixel height at a resolution. A size between two pixels
// goes down, not to the nearest: text set half a pixel larger than the design grows faster than
// the box it was designed for, and "なし" (9.75 points: 13 pixels at 96 dpi, 19.5 at 144) no
// longer fits its label at 150 %.
int pointsToPixels(double points, double dotsPerInch);

}  // namespace forms
