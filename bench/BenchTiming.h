#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <type_traits>

// The best of n runs of f, in milliseconds. f takes no argument, or the run's number (0 to n-1).
template <typename F> double bestOf(int n, F&& f)
{
    double best = 1e100;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        if constexpr (std::is_invocable_v<F&, int>)
            f(i);
        else
            f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
