#pragma once
#include <QElapsedTimer>

#include <ctime>

#include <algorithm>
#include <functional>
#include <vector>

// Times two ways of doing one thing: one warm-up each, then `runs` alternating runs;
// the medians are compared, so a single slow run does not count.
// By default the clock is the thread's CPU time: the machines are shared with builds, and
// time spent waiting for a core says nothing about our code. useWallClock() switches to elapsed time.
class Measure {
public:
    struct Result {
        double oursMs = 0;
        double rawMs = 0;
        double ratio() const { return rawMs > 0 ? oursMs / rawMs : 0; }
    };

    // Each callable returns the milliseconds of the part it timed, so set-up and tear-down
    // around the timed part stay out of the figures.
    using Run = std::function<double()>;

    static Result compare(int runs, const Run &ours, const Run &raw)
    {
        ours();
        raw();
        std::vector<double> a, b;
        for (int i = 0; i < runs; ++i) {
            a.push_back(ours());
            b.push_back(raw());
        }
        return {median(a), median(b)};
    }

    static double median(std::vector<double> v)
    {
        if (v.empty())
            return 0;
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    static bool &wallClock()
    {
        static bool wall = false;
        return wall;
    }
    static void useWallClock(bool on) { wallClock() = on; }

    // Milliseconds spent in f.
    template <typename F>
    static double time(F &&f)
    {
        if (wallClock()) {
            QElapsedTimer t;
            t.start();
            f();
            return double(t.nsecsElapsed()) / 1e6;
        }
        const double start = cpuMs();
        f();
        return cpuMs() - start;
    }

private:
    static double cpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }
};
