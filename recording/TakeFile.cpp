#include "recording/TakeFile.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <sndfile.h>

namespace recording {

void writeTake(const QString& path, const Take& take)
{
    SF_INFO info{};
    info.samplerate = take.rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const auto failed = [&path](SNDFILE* file) {
        return runtime::Error(QStringLiteral("Inspelningen kunde inte skrivas till %1 (%2).")
                                  .arg(QDir::toNativeSeparators(path), QString::fromUtf8(sf_strerror(file))));
    };
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info), sf_close);
    if (!file)
        throw failed(nullptr);
    if (sf_writef_float(file.get(), take.samples.constData(), take.samples.size()) != take.samples.size())
        throw failed(file.get());
    // The header holds the length; only a file closed without error is whole.
    if (sf_close(file.release()) != 0)
        throw failed(nullptr);
}

int nextToRecord(const QList<cardsets::CardSound>& cards, int after)
{
    for (int step = 1; step <= cards.size(); ++step) {
        const int at = (after + step) % int(cards.size());
        if (!cards[at].soundBase.isEmpty() && cards[at].ownSounds.isEmpty())
            return at;
    }
    return -1;
}

} // namespace recording
