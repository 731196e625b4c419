#include "ops/ExtensionDetection.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NameWithDetectedExtension, FollowsTheAnswer)
{
    // clang-format off
    struct {
        const char *currentName, *answer, *expected;
    } const cases[] = {
        {"photo.bin", "jpg,jpeg", "photo.jpg"},     {"photo", "jpg,jpeg", "photo.jpg"},
        {"notes.xyz", "?", "判別できませんでした"}, {"name.x", "", "name."},
        {".profile", "pdf", ".pdf"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const QString name =
            NameWithDetectedExtension(QString::fromUtf8(c.currentName), QString::fromUtf8(c.answer));
        EXPECT_EQ(name.toStdString(), c.expected) << c.currentName << " / " << c.answer;
    }
}

} // namespace
