// The sizes the window can take: 1, 1.5, 2, 3 and 4 times its own. At each
// a display dot is a whole number of pixels (2 x the zoom).
#pragma once

constexpr double ZoomSteps[] = {1, 1.5, 2, 3, 4};

// Whether zoom is one of the steps.
bool IsZoomStep(double zoom);
// The step after or before zoom; zoom itself at either end.
double NextZoomStep(double zoom);
double PreviousZoomStep(double zoom);
// The largest step not above wanted that is at most limit; 1 when none is.
double LargestZoomStep(double wanted, double limit);
