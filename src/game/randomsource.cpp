#include "game/randomsource.h"

#include <chrono>
#include <cmath>

void RandomSource::SeedRandom()
{
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    seed(static_cast<std::uint64_t>(wall) ^ (static_cast<std::uint64_t>(steady) << 1));
}

void RandomSource::seed(std::uint64_t value)
{
    std::seed_seq sequence{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
    m_engine.seed(sequence);
}

float RandomSource::NextRandom()
{
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}
