// Measures how the programs handle teachers' own photos: a picture into a card, the game's
// whole start-up with many 12-megapixel photos (time and peak memory, each case in a
// process of its own), and the supervisor's preview, each against the plain way of
// loading pictures (full decode, stretched when painted) done in the same run.
#include "bench/BenchPictures.h"
#include "bench/LibjpegLimit.h"
#include "bench/Measure.h"
#include "bench/PlainStartup.h"

#include "app/Program.h"
#include "forms/FileList.h"
#include "forms/PictureBox.h"
#include "forms/Twips.h"
#include "game/GameWindow.h"
#include "launcher/ChooserWindow.h"
#include "pictures/Picture.h"
#include "pictures/Thumbnail.h"
#include "settings/CardSetFile.h"
#include "supervisor/SupervisorWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QFile>
#include <QImageReader>
#include <QSysInfo>
#include <QThread>
#include <QTextStream>
#include <cstdio>
#include <algorithm>
#include <memory>

namespace {

const QSize kPhoto(4032, 3024);

struct CardSetPlan {
    QString name;
    int count;
    settings::RowDisplay lowerDisplay;
    bool lowerPictures;  // lower picture names in the file
};

QString photoName(int i)
{
    return QStringLiteral("foto%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
}

void writeCardSet(const QString& dir, const CardSetPlan& plan, const QString& photos)
{
    QDir().mkpath(dir);
    for (int i = 0; i < 2 * plan.count; ++i) {
        const QString link = dir + QLatin1Char('/') + photoName(i);
        if (!QFile::exists(link))
            QFile::link(photos + QLatin1Char('/') + photoName(i), link);
    }
    settings::CardSet set{qint16(plan.count), settings::RowDisplay::Pictures, plan.lowerDisplay, {}};
    for (int i = 0; i < plan.count; ++i) {
        const QString word = QStringLiteral("kort %1").arg(i);
        set.cards << settings::Card{photoName(2 * i), plan.lowerPictures ? photoName(2 * i + 1) : QString(), word, word};
    }
    settings::writeCardSet(dir + QStringLiteral("/kortvy.ini"), set);
}

// One start-up in this process: from the load handler to the first complete paint.
int childStartup(const QString& dir, bool plain)
{
    QDir::setCurrent(dir);
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QWidget> window;
    if (plain) {
        window.reset(bench::plainStartup());
    } else {
        auto form = std::make_unique<game::GameWindow>();
        form->load();
        window = std::move(form);
    }
    forms::showCentred(window.get());
    window->repaint();
    QCoreApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%.2f %.1f\n", ms, bench::peakMemoryMb());
    return 0;
}

// "Kortlekar" from its start to the first paint with every strip drawn, and the longest time
// its event loop went without turning meanwhile. The plain way reads every set and decodes
// every strip on the window's thread before the window shows.
struct ChooserTiming {
    double namesMs = 0;
    double paintedMs = 0;
    double stallMs = 0;
};

ChooserTiming measureChooser(const QString& root, bool plain)
{
    ChooserTiming timing;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
    });
    tick.start();
    QEventLoop loop;
    std::unique_ptr<QWidget> shown;
    QTimer::singleShot(0, [&] {
        if (plain) {
            // As a list widget filled in one go, each strip decoded at once.
            auto* window = new QWidget;
            QImage all(400, 48 * 40, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&all);
            int y = 0;
            for (const cardsets::CardSetSummary& set : cardsets::listCardSets(root)) {
                int x = 0;
                for (const QString& picture : set.pictures) {
                    const QSize size = pictures::uprightSize(picture).scaled(QSize(48, 48), Qt::KeepAspectRatio);
                    painter.drawImage(x, y, pictures::decodePicture(picture, size));
                    x += 50;
                }
                y += 48;
            }
            shown.reset(window);
            window->show();
            window->repaint();
            timing.namesMs = timing.paintedMs = double(clock.nsecsElapsed()) / 1e6;
            loop.quit();
            return;
        }
        auto* window = new launcher::ChooserWindow(root, launcher::Action::Edit);
        shown.reset(window);
        window->show();
        window->repaint();
        timing.namesMs = double(clock.nsecsElapsed()) / 1e6;
        const auto done = [&, window] {
            window->repaint();
            timing.paintedMs = double(clock.nsecsElapsed()) / 1e6;
            loop.quit();
        };
        QObject::connect(&window->sets(), &cardsets::CardSetModel::stripsDone, &loop, done, Qt::QueuedConnection);
    });
    loop.exec();
    // The last stretch counts too: the plain way's whole work is one.
    worst = std::max(worst, clock.nsecsElapsed() - last);
    timing.stallMs = double(worst) / 1e6;
    return timing;
}

struct Row {
    QString name;
    double ms;
    double plainMs;  // 0 when the case has no plain counterpart
    double peakMb;
    double plainPeakMb;
    double libjpegMs = 0;  // libjpeg's own scaled decode of the same JPEG; 0 for the rest
};

QString formatRow(const Row& r)
{
    const QString ratio = r.plainMs > 0 ? QString::number(r.plainMs / r.ms, 'f', 2) + QStringLiteral("x") : QStringLiteral("-");
    const QString peak = r.peakMb > 0 ? QString::number(r.peakMb, 'f', 0) : QStringLiteral("-");
    const QString plainPeak = r.plainPeakMb > 0 ? QString::number(r.plainPeakMb, 'f', 0) : QStringLiteral("-");
    const QString plain = r.plainMs > 0 ? QString::number(r.plainMs, 'f', 1) : QStringLiteral("-");
    const QString libjpeg = r.libjpegMs > 0 ? QString::number(r.libjpegMs, 'f', 1) : QStringLiteral("-");
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |")
        .arg(r.name, QString::number(r.ms, 'f', 1), libjpeg, plain, ratio, peak, plainPeak);
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList args = [&] {
        QStringList a;
        for (int i = 1; i < argc; ++i)
            a << QString::fromLocal8Bit(argv[i]);
        return a;
    }();
    if (args.size() == 3 && args[0] == QLatin1String("--startup")) {
        QApplication app(argc, argv);
        try {
            return childStartup(args[1], args[2] == QLatin1String("plain"));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString out = QDir::current().absoluteFilePath(args.value(0, QStringLiteral("bench.txt")));
    const QString data = QDir::current().absoluteFilePath(args.value(1, QStringLiteral("bench-data")));
    // A thumbnail cache of the bench's own, emptied where a case is to start cold; every
    // start-up child inherits it.
    const QString cache = data + QStringLiteral("/cache");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    const auto emptyCache = [&] { QDir(cache + QStringLiteral("/thumbnails")).removeRecursively(); };
    QApplication app(argc, argv);
    const QString photos = data + QStringLiteral("/photos");
    QDir().mkpath(photos);

    std::fprintf(stderr, "Making test pictures in %s ...\n", qPrintable(photos));
    for (int i = 0; i < 20; ++i)
        bench::makePhotoJpeg(photos + QLatin1Char('/') + photoName(i), kPhoto, i);
    bench::makePhotoBmp(photos + QStringLiteral("/stor.bmp"), {4000, 3000}, 1);
    bench::makePhotoGif(photos + QStringLiteral("/stor.gif"), {4000, 3000}, 2);
    bench::makePhotoJpeg(photos + QStringLiteral("/liten.jpg"), {1155, 866}, 3);

    QList<Row> rows;

    // 1. One picture into a card-size picture box.
    struct PictureCase {
        QString label;
        QString file;
    };
    const QList<PictureCase> pictures = {
        {QStringLiteral("JPEG 4032x3024"), photos + QLatin1Char('/') + photoName(0)},
        {QStringLiteral("BMP 4000x3000"), photos + QStringLiteral("/stor.bmp")},
        {QStringLiteral("GIF 4000x3000"), photos + QStringLiteral("/stor.gif")},
        {QStringLiteral("JPEG 1 MP"), photos + QStringLiteral("/liten.jpg")},
    };
    for (const PictureCase& pc : pictures) {
        for (const int twips : {1335, 2250}) {
            const QSize size(forms::toPixels(twips), forms::toPixels(twips));
            const int runs = pc.file.endsWith(QLatin1String(".gif")) ? 3 : 5;
            const double fast = bench::medianMs(runs, [&] { pictures::decodePicture(pc.file, size); });
            const double plain = bench::medianMs(runs, [&] {
                const QImage shown = QImage(pc.file).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                Q_UNUSED(shown);
            });
            const double libjpeg = pc.file.endsWith(QLatin1String(".jpg")) ? bench::libjpegScaledDecode(runs, pc.file, size).ms : 0;
            rows << Row{QStringLiteral("bild %1 -> kort %2").arg(pc.label).arg(twips), fast, plain, 0, 0, libjpeg};
            std::fprintf(stderr, "%s\n", qPrintable(formatRow(rows.last())));
        }
    }

    // 2 and 3. The game's start-up, each case in a process of its own.
    const QList<CardSetPlan> plans = {
        {QStringLiteral("start 10 kort, 20 foton"), 10, settings::RowDisplay::Pictures, true},
        {QStringLiteral("start 10 kort, undre text (bilder i filen)"), 10, settings::RowDisplay::Texts, true},
        {QStringLiteral("start 10 kort, inga undre bilder"), 10, settings::RowDisplay::Texts, false},
        {QStringLiteral("start 3 kort, 6 foton"), 3, settings::RowDisplay::Pictures, true},
        {QStringLiteral("start 5 kort, 10 foton"), 5, settings::RowDisplay::Pictures, true},
        {QStringLiteral("start 1 kort, 2 foton"), 1, settings::RowDisplay::Pictures, true},
    };
    for (const CardSetPlan& plan : plans) {
        const QString dir = data + QStringLiteral("/set-%1-%2-%3").arg(plan.count).arg(int(plan.lowerDisplay)).arg(plan.lowerPictures);
        writeCardSet(dir, plan, photos);
        bench::ChildResult best, bestPlain, bestWarm;
        for (int run = 0; run < 3; ++run) {
            emptyCache();
            const bench::ChildResult fast = bench::runChild({QStringLiteral("--startup"), dir, QStringLiteral("fast")});
            const bench::ChildResult warm = bench::runChild({QStringLiteral("--startup"), dir, QStringLiteral("fast")});
            if (run == 0 || warm.ms < bestWarm.ms)
                bestWarm = warm;
            const bench::ChildResult plain = bench::runChild({QStringLiteral("--startup"), dir, QStringLiteral("plain")});
            if (!fast.ok || !plain.ok) {
                std::fprintf(stderr, "start-up failed: %s %s\n", qPrintable(fast.error), qPrintable(plain.error));
                return 1;
            }
            if (run == 0 || fast.ms < best.ms)
                best = fast;
            if (run == 0 || plain.ms < bestPlain.ms)
                bestPlain = plain;
        }
        rows << Row{plan.name, best.ms, bestPlain.ms, best.peakMb, bestPlain.peakMb};
        std::fprintf(stderr, "%s\n", qPrintable(formatRow(rows.last())));
        if (plan.count == 10 && plan.lowerPictures && plan.lowerDisplay == settings::RowDisplay::Pictures) {
            rows << Row{plan.name + QStringLiteral(", varm miniatyrcache"), bestWarm.ms, bestPlain.ms, bestWarm.peakMb,
                        bestPlain.peakMb};
            std::fprintf(stderr, "%s\n", qPrintable(formatRow(rows.last())));
        }
    }

    // 5. "Kortlekar" with a school year's card sets: 40 sets of 10 photos each.
    {
        const QString root = data + QStringLiteral("/Kortvy");
        for (int n = 0; n < 40; ++n) {
            const QString dir = root + QStringLiteral("/Kortlek %1").arg(n + 1);
            QDir().mkpath(dir);
            settings::CardSet set{10, settings::RowDisplay::Pictures, settings::RowDisplay::Texts, {}};
            for (int i = 0; i < 10; ++i) {
                // Each set's own files, as a teacher's would be; the bytes are the same photos.
                const QString name = photoName(i);
                if (!QFile::exists(dir + QLatin1Char('/') + name))
                    QFile::copy(photos + QLatin1Char('/') + photoName((n + i) % 20), dir + QLatin1Char('/') + name);
                set.cards << settings::Card{name, QString(), QStringLiteral("ord"), QStringLiteral("ord")};
            }
            settings::writeCardSet(dir + QStringLiteral("/kortvy.ini"), set);
        }
        const QString label = QStringLiteral("Kortlekar, 40 kortlekar × 10 foton");
        const ChooserTiming plain = measureChooser(root, true);
        emptyCache();
        const ChooserTiming cold = measureChooser(root, false);
        const ChooserTiming warm = measureChooser(root, false);
        rows << Row{label + QStringLiteral(": namn och antal"), cold.namesMs, plain.namesMs, 0, 0};
        rows << Row{label + QStringLiteral(": allt ritat, kall miniatyrcache"), cold.paintedMs, plain.paintedMs, 0, 0};
        rows << Row{label + QStringLiteral(": allt ritat, varm miniatyrcache"), warm.paintedMs, plain.paintedMs, 0, 0};
        rows << Row{label + QStringLiteral(": längsta stopp, kall miniatyrcache"), cold.stallMs, plain.stallMs, 0, 0};
        rows << Row{label + QStringLiteral(": längsta stopp, varm miniatyrcache"), warm.stallMs, plain.stallMs, 0, 0};
        for (qsizetype i = rows.size() - 5; i < rows.size(); ++i)
            std::fprintf(stderr, "%s\n", qPrintable(formatRow(rows.at(i))));
    }

    // 4. The supervisor's preview of one photo.
    {
        const QString dir = data + QStringLiteral("/set-10-0-1");
        QDir::setCurrent(dir);
        supervisor::SupervisorWindow form;
        form.load();
        auto* files = form.findChild<forms::FileList*>(QStringLiteral("File1(0)"));
        auto* preview = form.findChild<forms::PictureBox*>(QStringLiteral("Image3(0)"));
        files->refresh();
        const int row = files->rows().indexOf(photoName(3));
        const double fast = bench::medianMs(5, [&] {
            preview->clearPicture();
            // As a click on the file's row.
            files->setSelectedRow(row);
            emit files->rowClicked(row);
            preview->decode();
        });
        const QSize size = preview->size();
        const double plain = bench::medianMs(5, [&] {
            const QImage shown = QImage(photoName(3)).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            Q_UNUSED(shown);
        });
        const double libjpeg = bench::libjpegScaledDecode(5, photoName(3), size).ms;
        rows << Row{QStringLiteral("Kortvyadm: förhandsvisning av ett foto"), fast, plain, 0, 0, libjpeg};
        std::fprintf(stderr, "%s\n", qPrintable(formatRow(rows.last())));
    }

    QFile file(out);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    QTextStream text(&file);
    text << "Machine: " << QSysInfo::prettyProductName() << ", " << QSysInfo::currentCpuArchitecture() << ", "
         << QThread::idealThreadCount() << " cores, Qt " << qVersion() << "\n\n";
    text << "| case | ms | libjpeg ms | plain ms | speed-up | peak MB | plain peak MB |\n|---|---|---|---|---|---|---|\n";
    for (const Row& r : rows)
        text << formatRow(r) << "\n";
    text.flush();
    file.close();
    QFile again(out);
    again.open(QIODevice::ReadOnly);
    std::printf("%s", again.readAll().constData());
    return 0;
}
