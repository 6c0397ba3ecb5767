#pragma once

#include <cstdint>
#include <random>

namespace runtime {

// The pseudo-random source of the programs: each draw is a uniform single-precision
// number r with 0 <= r < 1. A test may put another source in its place.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock();
    virtual float next();

private:
    std::mt19937 m_engine{5489u};
};

// The source the programs draw from; `replace` swaps it (nullptr restores the default).
RandomSource& randomSource();
void replaceRandomSource(RandomSource* source);

} // namespace runtime
