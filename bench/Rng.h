#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

// A small deterministic generator (xoshiro256**, seeded by splitmix64). The standard
// distributions differ between library versions; this one gives the same database everywhere.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
    {
        for (auto &s : m_s) {
            seed += 0x9e3779b97f4a7c15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            s = z ^ (z >> 31);
        }
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    // 0 <= result < n
    int below(int n) { return n <= 0 ? 0 : int((next() >> 11) % std::uint64_t(n)); }
    // lo <= result <= hi
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    double normal()
    {
        const double u1 = 1.0 - unit(), u2 = unit();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N]) { return items[below(int(N))]; }
    template <typename T>
    const T &pick(const std::vector<T> &items) { return items[size_t(below(int(items.size())))]; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t m_s[4];
};
