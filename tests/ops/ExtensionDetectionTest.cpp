#include "ops/ExtensionDetection.h"

#include "core/CommandError.h"

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

class UnavailableDetector : public TypeDetector {
public:
    int asked = 0;
    bool isAvailable() const override { return false; }
    QString extensionsOf(const QString&) override
    {
        ++asked;
        return QStringLiteral("?");
    }
    int version() const override { return 0; }
};

TEST(DetectExtension, UnavailableDetectorStopsBeforeAnyRow)
{
    UnavailableDetector detector;
    RenameList list;
    list.append({QStringLiteral("a.bin"), QStringLiteral("earlier"), {}, QStringLiteral("/data"), 0});
    EXPECT_THROW(DetectExtension(list, detector), CommandError);
    EXPECT_EQ(detector.asked, 0);
    EXPECT_EQ(list.at(0).newName, QStringLiteral("earlier"));

    // An empty list has nothing to detect, library or not.
    RenameList empty;
    EXPECT_NO_THROW(DetectExtension(empty, detector));
}

} // namespace
