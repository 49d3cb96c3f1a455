#pragma once

#include <cstdint>
#include <random>

// The one pseudo-random source of the process. NextRandom is virtual so a
// test can stand in a source that yields the draws it needs.
class RandomSource
{
public:
    RandomSource() = default;
    RandomSource(const RandomSource &) = delete;
    RandomSource &operator=(const RandomSource &) = delete;
    virtual ~RandomSource() = default;

    void SeedRandom();
    void seed(std::uint64_t value);

    // Uniform over [0, 1) with a 24-bit fraction, which a float holds exactly,
    // so rounding can never turn a draw into 1.
    virtual float NextRandom();

private:
    std::mt19937 m_engine;
};

// Nearest whole number, a half going to the even neighbour (2.5 gives 2),
// the rounding the game's uneven draws are built on.
int roundHalfEven(double value);
