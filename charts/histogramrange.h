#pragma once

// One class of the histogram: a value v belongs to it when low < v <= high.
struct HistogramRange
{
    double low;
    double high;
};
