#include "runtime/Random.h"

#include <chrono>

namespace runtime {

void RandomSource::seedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{std::uint32_t(now), std::uint32_t(std::uint64_t(now) >> 32)};
    m_engine.seed(seq);
}

float RandomSource::next()
{
    // 24 random bits give every float of the form k / 2^24 with equal chance; the
    // result is always below 1.
    return float(m_engine() >> 8) * (1.0f / 16777216.0f);
}

namespace {
RandomSource* replaced = nullptr;
}

RandomSource& randomSource()
{
    static RandomSource standard;
    return replaced ? *replaced : standard;
}

void replaceRandomSource(RandomSource* source)
{
    replaced = source;
}

} // namespace runtime
