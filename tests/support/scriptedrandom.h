#pragma once

#include "game/randomsource.h"

#include <deque>

// A random source that yields the queued draws first, then falls back to a
// fixed-seed sequence, and counts every draw taken.
class ScriptedRandom : public RandomSource
{
public:
    ScriptedRandom() { seed(20261207); }

    void queue(std::initializer_list<float> draws) { m_queued.insert(m_queued.end(), draws); }
    int taken() const { return m_taken; }

    float NextRandom() override
    {
        ++m_taken;
        if (m_queued.empty())
            return RandomSource::NextRandom();
        const float r = m_queued.front();
        m_queued.pop_front();
        return r;
    }

private:
    std::deque<float> m_queued;
    int m_taken = 0;
};
