#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace polygrav {

template <typename F>
double MinimiseOverAngle(F&& f, double period, int samples, int keep, double tolerance) {
    const double step = period / samples;
    std::vector<std::pair<double, double>> values;  // (f, angle)
    values.reserve(samples);
    for (int i = 0; i < samples; ++i) values.emplace_back(f(i * step), i * step);
    // The local minima of the samples, best first.
    std::vector<std::pair<double, double>> minima;
    for (int i = 0; i < samples; ++i) {
        const double here = values[i].first;
        const double before = values[(i + samples - 1) % samples].first;
        const double after = values[(i + 1) % samples].first;
        if (here <= before && here <= after) minima.push_back(values[i]);
    }
    std::sort(minima.begin(), minima.end());
    if (minima.size() > static_cast<size_t>(keep)) minima.resize(keep);
    double bestValue = minima.empty() ? values.front().first : minima.front().first;
    double bestAngle = minima.empty() ? values.front().second : minima.front().second;
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    for (const auto& [value, angle] : minima) {
        double a = angle - step;
        double b = angle + step;
        double c = b - ratio * (b - a);
        double d = a + ratio * (b - a);
        double fc = f(c);
        double fd = f(d);
        while (b - a > tolerance) {
            if (fc < fd) {
                b = d;
                d = c;
                fd = fc;
                c = b - ratio * (b - a);
                fc = f(c);
            } else {
                a = c;
                c = d;
                fc = fd;
                d = a + ratio * (b - a);
                fd = f(d);
            }
        }
        for (const auto& [v, t] : {std::pair{fc, c}, std::pair{fd, d}, std::pair{value, angle}}) {
            if (v < bestValue) {
                bestValue = v;
                bestAngle = t;
            }
        }
    }
    return bestAngle;
}

}  // namespace polygrav
