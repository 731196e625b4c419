// The date-taken token over 10,000 JPEGs of one folder, each read with
// libexiv2 as "変更" with <撮影日:yyyymmdd>_<0001> reads them (goal: 2 s),
// beside the modification-time token over the same files.

#include "bench/BenchSupport.h"
#include "core/RenameList.h"
#include "ops/InsertionCommand.h"
#include "platform/DetailColumns.h"

#include <QImage>

#include <exiv2/exiv2.hpp>

namespace {

constexpr int kFiles = 10000;

// One small camera-like JPEG with its EXIF dates, copied kFiles times.
const QTemporaryDir& Photos()
{
    static std::unique_ptr<QTemporaryDir> folder;
    if (folder)
        return *folder;
    folder = std::make_unique<QTemporaryDir>();
    const QString first = folder->filePath(QStringLiteral("DSC_00000.JPG"));
    QImage picture(160, 120, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.save(first, "JPEG");
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(first).toStdString());
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Quorvane";
    exif["Exif.Photo.DateTimeOriginal"] = "2025:08:10 09:05:01";
    exif["Exif.Photo.SubSecTimeOriginal"] = "25";
    exif["Exif.Photo.OffsetTimeOriginal"] = "+09:00";
    image->setExifData(exif);
    image->writeMetadata();
    for (int i = 1; i < kFiles; ++i)
        QFile::copy(first, folder->filePath(QStringLiteral("DSC_%1.JPG").arg(i, 5, 10, QLatin1Char('0'))));
    return *folder;
}

void ApplyToPhotos(benchmark::State& state, const QString& text)
{
    const QString folder = Photos().path();
    QList<RenameEntry> rows;
    for (int i = 0; i < kFiles; ++i)
        rows.append({QStringLiteral("DSC_%1.JPG").arg(i, 5, 10, QLatin1Char('0')), {}, {}, folder, 0});
    RenameList list;
    list.appendAll(rows);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    for (auto _ : state) {
        TagDetailSource details;
        ApplyInsertion(list, InsertionKind::ChangeName, text, details, SystemClock(), japanese);
    }
    if (list.at(0).newName != QStringLiteral("20250810_0001.JPG") && text.contains(u'撮'))
        state.SkipWithError("wrong new name");
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_DateTaken(benchmark::State& state)
{
    ApplyToPhotos(state, QStringLiteral("<撮影日:yyyymmdd>_<0001>"));
}
void BM_ModificationTime(benchmark::State& state)
{
    ApplyToPhotos(state, QStringLiteral("<更新日:yyyymmdd>_<0001>"));
}
BENCHMARK(BM_DateTaken)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModificationTime)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunComparedBenchmarks(argc, argv, 3, [](RatioReporter&) {
        std::printf("goal: BM_DateTaken over %d JPEGs <= 2000 ms\n", kFiles);
    });
}
