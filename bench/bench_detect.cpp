// Content-type detection over 10,000 files of mixed kinds, none with an
// extension: the detector alone, and the whole command over a list.
// QUORVANE_BENCH_DETECT_DIR, when set, names a folder to generate the files
// into and keep, so that other tools can be timed on the same files.

#include "core/RenameList.h"
#include "ops/ExtensionDetection.h"
#include "platform/MagicTypeDetector.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kFiles = 10000;

QByteArray Padded(QByteArray head, int size)
{
    head.append(QByteArray(size - head.size(), '\0'));
    return head;
}

QList<QByteArray> Kinds()
{
    QByteArray mp3("\xFF\xFB\x90\x64", 4);
    mp3 = Padded(mp3, 417).repeated(4);
    QByteArray noise(4096, '\0');
    QRandomGenerator random(7);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    return {
        Padded(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x02\0\0\0", 29), 2048),
        Padded(QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0\1\1\0\0\1\0\1\0\0", 20), 2048),
        Padded(QByteArray("GIF89a\x10\0\x10\0", 10), 1024),
        QByteArray("%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n%%EOF\n"),
        Padded(QByteArray("PK\x05\x06", 4), 22),
        mp3,
        noise,
        QByteArray("Just some notes, nothing to recognise here.\n").repeated(20),
    };
}

// The generated folder, made once for all benchmarks of the run.
class SampleFolder {
public:
    SampleFolder()
    {
        const QString kept = qEnvironmentVariable("QUORVANE_BENCH_DETECT_DIR");
        if (kept.isEmpty()) {
            m_temporary = std::make_unique<QTemporaryDir>();
            m_path = m_temporary->path();
        } else {
            QDir().mkpath(kept);
            m_path = kept;
        }
        const QList<QByteArray> kinds = Kinds();
        for (int i = 0; i < kFiles; ++i) {
            const QString name = QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0'));
            QFile file(m_path + QLatin1Char('/') + name);
            if (file.open(QIODevice::WriteOnly))
                file.write(kinds.at(i % kinds.size()));
            m_names.append(name);
        }
    }

    const QString& path() const { return m_path; }
    const QStringList& names() const { return m_names; }

    static const SampleFolder& instance()
    {
        static const SampleFolder folder;
        return folder;
    }

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_path;
    QStringList m_names;
};

void BM_ExtensionsOf(benchmark::State& state)
{
    const SampleFolder& folder = SampleFolder::instance();
    MagicTypeDetector detector;
    if (!detector.isAvailable()) {
        state.SkipWithError("the magic database did not load");
        return;
    }
    int unknown = 0;
    for (auto _ : state) {
        unknown = 0;
        for (const QString& name : folder.names()) {
            if (detector.extensionsOf(folder.path() + QLatin1Char('/') + name) == QLatin1String("?"))
                ++unknown;
        }
    }
    state.counters["unknown"] = unknown;
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ExtensionsOf)->Unit(benchmark::kMillisecond);

void BM_DetectExtensionCommand(benchmark::State& state)
{
    const SampleFolder& folder = SampleFolder::instance();
    MagicTypeDetector detector;
    RenameList list;
    for (const QString& name : folder.names()) {
        RenameEntry entry;
        entry.currentName = name;
        entry.folder = folder.path();
        list.append(entry);
    }
    for (auto _ : state)
        DetectExtension(list, detector);
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_DetectExtensionCommand)->Unit(benchmark::kMillisecond);

void BM_LoadDatabase(benchmark::State& state)
{
    for (auto _ : state) {
        MagicTypeDetector detector;
        benchmark::DoNotOptimize(detector.isAvailable());
    }
}
BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
