#include "host/form/zoom_steps.h"

bool IsZoomStep(double zoom)
{
    for (double step : ZoomSteps)
        if (zoom == step)
            return true;
    return false;
}

double NextZoomStep(double zoom)
{
    for (double step : ZoomSteps)
        if (step > zoom)
            return step;
    return zoom;
}

double PreviousZoomStep(double zoom)
{
    double previous = zoom;
    for (double step : ZoomSteps)
        if (step < zoom)
            previous = step;
    return previous;
}

double LargestZoomStep(double wanted, double limit)
{
    double largest = ZoomSteps[0];
    for (double step : ZoomSteps)
        if (step <= wanted && step <= limit)
            largest = step;
    return largest;
}
