// One row of the benchmark table; scripts/bench gathers the rows of every benchmark into one.
// A negative floor means the figure has a target or none instead of a floor.
#pragma once
#include <cstdio>

inline void ReportFigure(const char* figure, double value, double floor, const char* unit) {
    if (floor >= 0)
        std::printf("figure\t%s\t%.2f\t%.2f\t%s\n", figure, value, floor, unit);
    else
        std::printf("figure\t%s\t%.2f\t-\t%s\n", figure, value, unit);
    std::fflush(stdout);
}
