#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <type_traits>
#include <vector>

// Runs f n times and returns each run's time in milliseconds. f takes no argument, or the run's number
// (0 to n-1).
template <typename F> std::vector<double> timeRuns(int n, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        if constexpr (std::is_invocable_v<F&, int>)
            f(i);
        else
            f();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return times;
}

// The median of a list of figures (the mean of the middle two for an even count).
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The median of n runs of f, in milliseconds: on a shared, busy machine the median is steadier than the best.
template <typename F> double medianOf(int n, F&& f)
{
    return median(timeRuns(n, std::forward<F>(f)));
}

// The best of n runs of f, in milliseconds.
template <typename F> double bestOf(int n, F&& f)
{
    const std::vector<double> times = timeRuns(n, std::forward<F>(f));
    return *std::min_element(times.begin(), times.end());
}
