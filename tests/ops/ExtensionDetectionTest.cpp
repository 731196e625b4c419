#include "ops/ExtensionDetection.h"

#include "core/CommandError.h"

#include "tests/support/CaseName.h"

#include <QHash>

#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace {

// Compared as std::string so that a failure prints the text.
std::string Text(const QString& text) {
    return text.toStdString();
}
std::string Text(const QStringList& texts) {
    return texts.join(QLatin1Char('|')).toStdString();
}

struct DetectedCase {
    const char* name;
    const char* currentName;
    const char* answer;
    const char* expected;
};

const DetectedCase kDetectedCases[] = {
    {"wrong extension", "photo.bin", "jpg,jpeg", "photo.jpg"},
    {"no extension", "photo", "jpg,jpeg", "photo.jpg"},
    {"several dots change the last only", "a.b.bin", "jpg,jpeg", "a.b.jpg"},
    {"right extension stays", "x.png", "png", "x.png"},
    {"single answer", "name", "png", "name.png"},
    {"unknown", "notes.xyz", "?", "判別できませんでした"},
    {"empty answer leaves a bare dot", "name.x", "", "name."},
    {"dot file", ".profile", "pdf", ".pdf"},
    {"japanese name", "写真.dat", "jpeg,jpg,jpe,jfif", "写真.jpeg"},
};

class DetectedNames : public ::testing::TestWithParam<DetectedCase> {};

TEST_P(DetectedNames, FollowTheAnswer) {
    const DetectedCase& c = GetParam();
    EXPECT_EQ(Text(NameWithDetectedExtension(QString::fromUtf8(c.currentName), QString::fromUtf8(c.answer))),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DetectedNames, ::testing::ValuesIn(kDetectedCases), CaseName());

class FakeDetector : public TypeDetector {
public:
    bool available = true;
    QHash<QString, QString> answers; // by full path; "?" for the rest
    QStringList asked;

    bool isAvailable() const override { return available; }
    QString extensionsOf(const QString& path) override {
        asked.append(path);
        return answers.value(path, QStringLiteral("?"));
    }
    int version() const override { return 544; }
};

RenameList MakeList(const QStringList& names) {
    RenameList list;
    for (const QString& name : names) {
        RenameEntry entry;
        entry.currentName = name;
        entry.newName = QStringLiteral("earlier");
        entry.folder = QStringLiteral("/data");
        list.append(entry);
    }
    return list;
}

TEST(DetectExtension, AsksOncePerRowAndWritesEveryRow) {
    FakeDetector detector;
    detector.answers[QStringLiteral("/data/photo.bin")] = QStringLiteral("jpeg,jpg");
    detector.answers[QStringLiteral("/data/doc")] = QStringLiteral("pdf");
    RenameList list =
        MakeList({QStringLiteral("photo.bin"), QStringLiteral("blob.xyz"), QStringLiteral("doc")});

    DetectExtension(list, detector);

    EXPECT_EQ(Text(detector.asked), "/data/photo.bin|/data/blob.xyz|/data/doc");
    EXPECT_EQ(Text(list.at(0).newName), "photo.jpeg");
    EXPECT_EQ(Text(list.at(1).newName), "判別できませんでした");
    EXPECT_EQ(Text(list.at(2).newName), "doc.pdf");
    EXPECT_EQ(list.at(0).currentName, QStringLiteral("photo.bin"));
}

TEST(DetectExtension, UnavailableDetectorStopsBeforeAnyRow) {
    FakeDetector detector;
    detector.available = false;
    RenameList list = MakeList({QStringLiteral("a.bin")});
    EXPECT_THROW(DetectExtension(list, detector), CommandError);
    EXPECT_TRUE(detector.asked.isEmpty());
    EXPECT_EQ(list.at(0).newName, QStringLiteral("earlier"));

    // An empty list has nothing to detect, library or not.
    RenameList empty;
    EXPECT_NO_THROW(DetectExtension(empty, detector));
}

} // namespace
