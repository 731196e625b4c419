#include "ui/ApplicationIcon.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// A broken drawing, a resource left out of the link or a missing SVG icon
// engine all give a blank window icon.
TEST(ApplicationIcon, DrawsAtTitleBarAndLauncherSizes)
{
    for (const int size : {16, 48}) {
        const QImage image = ApplicationIcon().pixmap(size).toImage();
        ASSERT_FALSE(image.isNull()) << size;
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
        EXPECT_GT(opaque, image.width() * image.height() / 3) << size;
    }
}

} // namespace
