#include "recording/Take.h"

#include <QAudioFormat>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace recording {

namespace {

// Loudness is judged a hundredth of a second at a time: short enough to find a word's edge,
// long enough to hold a low voice's period.
constexpr double kBlockSeconds = 0.01;
// The quiet a room is assumed to have before a quieter moment shows it; a microphone that
// hisses louder than this is heard as if something were said until "Stoppa".
constexpr double kRoomDb = -50;
// A word is at least this much louder than the room, and at least this loud.
constexpr double kWordOverRoomDb = 15;
constexpr double kFaintestWordDb = -55;

double decibels(double meanSquare)
{
    return 10 * std::log10(std::max(meanSquare, 1e-12));
}

// Louder than this is something heard rather than the room: well over its quiet, and not so
// far below the loudest moment that it is only the word's echo.
double soundThreshold(double quietestDb, double loudestDb)
{
    return std::max(std::min(quietestDb, kRoomDb) + 10, loudestDb - 35);
}

bool wordHeard(double quietestDb, double loudestDb)
{
    return loudestDb >= kFaintestWordDb && loudestDb - std::min(quietestDb, kRoomDb) >= kWordOverRoomDb;
}

int blockSize(int rate)
{
    return std::max(1, int(rate * kBlockSeconds));
}

std::vector<double> blockLevels(const Take& take)
{
    const int size = blockSize(take.rate);
    std::vector<double> levels;
    for (qsizetype at = 0; at < take.samples.size(); at += size) {
        const qsizetype end = std::min(take.samples.size(), at + size);
        double sum = 0;
        for (qsizetype i = at; i < end; ++i)
            sum += double(take.samples[i]) * take.samples[i];
        levels.push_back(decibels(sum / double(end - at)));
    }
    return levels;
}

template <class Sample>
float sampleAt(const char* at, double scale, double offset)
{
    Sample value;
    std::memcpy(&value, at, sizeof value);
    return float((double(value) - offset) / scale);
}

} // namespace

QList<float> monoOf(const QByteArray& data, const QAudioFormat& format)
{
    const int channels = std::max(1, format.channelCount());
    const int bytes = format.bytesPerSample();
    QList<float> mono;
    if (bytes <= 0)
        return mono;
    const qsizetype frames = data.size() / (bytes * channels);
    mono.reserve(frames);
    for (qsizetype f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
            const char* at = data.constData() + (f * channels + c) * bytes;
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8: sum += sampleAt<quint8>(at, 128, 128); break;
            case QAudioFormat::Int16: sum += sampleAt<qint16>(at, 32768, 0); break;
            case QAudioFormat::Int32: sum += sampleAt<qint32>(at, 2147483648.0, 0); break;
            case QAudioFormat::Float: sum += sampleAt<float>(at, 1, 0); break;
            default: break;
            }
        }
        mono << float(sum / channels);
    }
    return mono;
}

float peakOf(const float* samples, qsizetype count)
{
    float peak = 0;
    for (qsizetype i = 0; i < count; ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

bool heardAnything(const Take& take)
{
    const std::vector<double> levels = blockLevels(take);
    if (levels.empty())
        return false;
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    return wordHeard(*quietest, *loudest);
}

Take trimmed(const Take& take)
{
    const std::vector<double> levels = blockLevels(take);
    if (!heardAnything(take))
        return take;
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    const double threshold = soundThreshold(*quietest, *loudest);
    const auto isSound = [threshold](double level) { return level > threshold; };
    const qsizetype first = std::find_if(levels.begin(), levels.end(), isSound) - levels.begin();
    const qsizetype last = levels.rend() - std::find_if(levels.rbegin(), levels.rend(), isSound) - 1;
    const qsizetype size = blockSize(take.rate);
    const qsizetype kept = qsizetype(kKeptSilence * take.rate);
    const qsizetype from = std::max<qsizetype>(0, first * size - kept);
    const qsizetype to = std::min(take.samples.size(), (last + 1) * size + kept);
    return {take.samples.mid(from, to - from), take.rate};
}

Take evenedOut(const Take& take)
{
    const float peak = peakOf(take.samples);
    if (peak <= 0 || !heardAnything(take))
        return take;
    Take evened{take.samples, take.rate};
    const float gain = kTargetPeak / peak;
    for (float& sample : evened.samples)
        sample = std::clamp(sample * gain, -kTargetPeak, kTargetPeak);
    return evened;
}

EndDetector::EndDetector(int rate)
    : m_rate(rate)
    , m_blockSize(blockSize(rate))
{
}

bool EndDetector::feed(const float* samples, qsizetype count)
{
    for (qsizetype i = 0; i < count && !m_over; ++i) {
        m_blockSum += double(samples[i]) * samples[i];
        ++m_seen;
        if (++m_inBlock == m_blockSize)
            endBlock();
        m_over = m_seen >= qsizetype(kLongestTake * m_rate) ||
                 (m_heardWord && m_seen - m_silentSince >= qsizetype(kSilenceAfterWord * m_rate));
    }
    return m_over;
}

void EndDetector::endBlock()
{
    const double level = decibels(m_blockSum / m_inBlock);
    m_blockSum = 0;
    m_inBlock = 0;
    m_quietest = std::min(m_quietest, level);
    m_loudest = std::max(m_loudest, level);
    m_heardWord = m_heardWord || wordHeard(m_quietest, m_loudest);
    if (level > soundThreshold(m_quietest, m_loudest))
        m_silentSince = m_seen;
}

} // namespace recording
