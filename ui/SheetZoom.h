#pragma once

#include <array>

// The zoom of the main window's sheet, in percent of the size it was drawn
// at, for a game master reading it across the table: View > Zoom In and
// Zoom Out step through kZoomSteps, Actual Size goes back to 100. The zoom
// last chosen is remembered for the user, next to the bestiaries.
inline constexpr std::array kZoomSteps{100, 125, 150, 175, 200, 250, 300};
inline constexpr int kActualSize = 100;

// `pixels` of the sheet at `percent`, rounded to the nearest pixel.
constexpr int zoomed(int pixels, int percent)
{
    return (pixels * percent + 50) / 100;
}

// The step after `percent`, or the largest; the step before it, or the smallest.
int zoomedIn(int percent);
int zoomedOut(int percent);

// The zoom remembered for the user: one of kZoomSteps, and kActualSize when
// none is remembered or the settings hold anything else.
int rememberedZoom();
void rememberZoom(int percent);
