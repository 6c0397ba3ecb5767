#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>

class QAudioFormat;

namespace recording {

// A recording of one card's word as it is worked on: mono samples from -1 to 1.
struct Take {
    QList<float> samples;
    int rate = 0;

    double seconds() const { return rate > 0 ? double(samples.size()) / rate : 0; }
};

// Every card's recording ends with its loudest moment here, -1 dBFS, so that no card is much
// louder than the next.
inline constexpr float kTargetPeak = 0.891251f;
// What is kept of the silence before and after the word, in seconds.
inline constexpr double kKeptSilence = 0.1;
// A take stops by itself this long after the word, or at the longest.
inline constexpr double kSilenceAfterWord = 1.5;
inline constexpr double kLongestTake = 10;

// The samples the microphone gave, in any of Qt's sample formats and channel counts, as mono.
QList<float> monoOf(const QByteArray& data, const QAudioFormat& format);

// The largest magnitude among the samples, 0 to 1.
float peakOf(const float* samples, qsizetype count);
inline float peakOf(const QList<float>& samples)
{
    return peakOf(samples.constData(), samples.size());
}

// Whether anything louder than the quiet of a room with its microphone on was heard.
bool heardAnything(const Take& take);

// The take with the silence at both ends cut off, but for kKeptSilence of it. A take in which
// nothing was heard comes back as it was.
Take trimmed(const Take& take);

// The take with its peak at kTargetPeak; one in which nothing was heard comes back as it was,
// so that the room's hiss is never made loud.
Take evenedOut(const Take& take);

// Tells, from the samples as they come, when a take is over: kSilenceAfterWord of silence
// after something was said, or kLongestTake in all. What counts as silence follows the
// microphone's own quiet, as low as it has been during the take.
class EndDetector {
public:
    explicit EndDetector(int rate);
    // True once the take is over; later samples change nothing.
    bool feed(const float* samples, qsizetype count);
    bool heardWord() const { return m_heardWord; }

private:
    void endBlock();

    int m_rate;
    int m_blockSize;
    qsizetype m_seen = 0;
    double m_blockSum = 0;
    int m_inBlock = 0;
    double m_quietest = 0;
    double m_loudest = -120;
    bool m_heardWord = false;
    qsizetype m_silentSince = 0;
    bool m_over = false;
};

} // namespace recording

Q_DECLARE_METATYPE(recording::Take)
