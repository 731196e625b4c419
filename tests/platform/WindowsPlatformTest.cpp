#include <QtGlobal>
#ifdef Q_OS_WIN

#include "platform/DurableFiles.h"
#include "platform/EditorPlatform.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderLister.h"
#include "platform/SystemFolderRules.h"
#include "platform/WindowsPaths.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path, const QByteArray& bytes = {})
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(WindowsFolderLister, GivesTheSystemsAttributesAndMatchesWithoutCase)
{
    QTemporaryDir dir;
    for (const char* name : {"a.jpg", "B.JPG", "写真.txt", "hidden.txt", "system.txt"})
        Touch(dir.filePath(U(name)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    SetFileAttributesW(Wide(QDir::toNativeSeparators(dir.filePath(QStringLiteral("hidden.txt")))),
                       FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Wide(QDir::toNativeSeparators(dir.filePath(QStringLiteral("system.txt")))),
                       FILE_ATTRIBUTE_SYSTEM);

    SystemFolderLister lister;
    QStringList seen;
    for (const ListedEntry& entry : lister.list(dir.path(), QStringLiteral("*.*")).entries)
        seen.append(entry.name + QLatin1String(entry.directory ? "/" : "") +
                    QLatin1String(entry.hidden ? "*" : "") + QLatin1String(entry.system ? "!" : ""));
    seen.sort();
    EXPECT_EQ(seen, Split("../|./|B.JPG|a.jpg|hidden.txt*|sub/|system.txt!|写真.txt"));

    QStringList jpegs;
    for (const ListedEntry& entry : lister.list(dir.path(), QStringLiteral("*.jpg")).entries)
        jpegs.append(entry.name);
    jpegs.sort();
    EXPECT_EQ(jpegs, Split("B.JPG|a.jpg"));
    EXPECT_TRUE(lister.list(dir.filePath(QStringLiteral("missing")), QStringLiteral("*")).unreadable);
    EXPECT_FALSE(lister.list(dir.path(), QStringLiteral("*.none")).unreadable);
}

TEST(WindowsRename, NeverReplacesChangesCaseAndPassesTheOldPathLimit)
{
    QTemporaryDir dir;
    const QString a = QDir::toNativeSeparators(dir.filePath(QStringLiteral("a.txt")));
    const QString b = QDir::toNativeSeparators(dir.filePath(QStringLiteral("b.txt")));
    Touch(a, "a");
    Touch(b, "b");
    SystemFileRenamer renamer;

    const RenameOutcome taken = renamer.rename(a, b);
    EXPECT_FALSE(taken.ok);
    EXPECT_EQ(taken.code, ERROR_ALREADY_EXISTS);
    EXPECT_EQ(Read(b), "b");

    const QString upper = QDir::toNativeSeparators(dir.filePath(QStringLiteral("A.TXT")));
    EXPECT_TRUE(renamer.rename(a, upper).ok);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).contains(QStringLiteral("A.TXT")));

    for (const char* refused : {"CON.txt", "name.", "a?b"})
        EXPECT_FALSE(renamer.rename(upper, QDir::toNativeSeparators(dir.filePath(U(refused)))).ok) << refused;
    EXPECT_FALSE(renamer.rename(dir.filePath(QStringLiteral("gone.txt")), a).ok);

    // A folder deep enough that its files' paths pass 260 characters.
    QString deep = QDir::toNativeSeparators(dir.path());
    while (deep.size() < 280) {
        deep += QLatin1Char('\\') + QString(40, QLatin1Char('d'));
        ASSERT_TRUE(CreateDirectoryW(Wide(ExtendedPath(deep)), nullptr));
    }
    const HANDLE created = CreateFileW(Wide(ExtendedPath(deep + QStringLiteral("/long.txt"))), GENERIC_WRITE,
                                       0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    EXPECT_TRUE(renamer.rename(deep + QStringLiteral("/long.txt"), deep + QStringLiteral("/longer.txt")).ok);
    EXPECT_EQ(SystemFolderLister().list(deep, QStringLiteral("longer.txt")).entries.size(), 1);
}

TEST(WindowsFolderRules, RefuseWhatWindowsRefusesAndFoldCase)
{
    SystemFolderRules rules;
    const struct {
        const char* name;
        PreviewProblem problem;
    } cases[] = {
        {"photo.jpg", PreviewProblem::None},          {"a\\b", PreviewProblem::Separator},
        {"a/b", PreviewProblem::Separator},           {"..", PreviewProblem::NotAName},
        {"a:b", PreviewProblem::ForbiddenCharacter},  {"nul.txt", PreviewProblem::ReservedName},
        {"end ", PreviewProblem::TrailingDotOrSpace}, {"写真.jpg", PreviewProblem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rules.nameProblem({}, {}, U(c.name), 255), c.problem) << c.name;
    // The limit counts UTF-16 units, not encoded bytes.
    EXPECT_EQ(rules.nameProblem({}, {}, QString(255, QChar(0x5199)), 255), PreviewProblem::None);
    EXPECT_EQ(rules.nameProblem({}, {}, QString(256, QLatin1Char('a')), 255), PreviewProblem::TooLong);

    QTemporaryDir dir;
    Touch(dir.filePath(QStringLiteral("x.txt")));
    const FolderFacts facts = rules.factsOf(dir.path());
    EXPECT_TRUE(facts.listed);
    EXPECT_TRUE(facts.foldsCase);
    EXPECT_GT(facts.longestName, 0);
    QStringList names;
    rules.listNames(dir.path(), [&](const NameText& name) { names.append(name); });
    EXPECT_TRUE(names.contains(QStringLiteral("x.txt")));
}

// Programs Windows starts itself and bare names are started; other files
// are documents, opened by the program associated with them.
TEST(WindowsEditor, StartsProgramsAndBareNamesAndOpensDocuments)
{
    const struct {
        const char* editor;
        bool document;
    } cases[] = {
        {"notepad.exe", false},         {"notepad", false},
        {"C:\\Tools\\edit.CMD", false}, {"C:/Tools/old.bat", false},
        {"C:\\my.dir\\editor", false},  {"manual.pdf", true},
        {"C:\\Tools\\editor.sh", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsEditorDocument(U(c.editor)), c.document) << c.editor;
    EXPECT_EQ(DefaultEditor(), QStringLiteral("notepad.exe"));
}

TEST(WindowsJournalDisk, WritesDurablyHoldsTheBatchAndKnowsFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.journal"));
    const auto disk = MakeSystemJournalDisk();
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->create(path, "head\n"), QString());
    EXPECT_TRUE(disk->isHeld(path));
    EXPECT_TRUE(MakeSystemJournalDisk()->isHeld(path)); // another holder sees the lock
    EXPECT_EQ(Read(path), "head\n");                    // readers are not stopped by it
    EXPECT_EQ(disk->append(path, "step\n", JournalDisk::Step::Start), QString());
    EXPECT_EQ(disk->overwrite(path, 0, "HEAD", JournalDisk::Step::End), QString());
    EXPECT_EQ(Read(path), "HEAD\nstep\n");
    EXPECT_FALSE(MakeSystemJournalDisk()->isHeld(path));
    EXPECT_EQ(disk->namesIn(dir.path()), QStringList{QStringLiteral("b.journal")});
    // A journal folder gone missing reads as any other missing folder does.
    const QString gone = QDir::toNativeSeparators(dir.filePath(QStringLiteral("gone/b.journal")));
    EXPECT_EQ(
        disk->create(gone, "head\n"),
        QStringLiteral("「%1」を書き込めませんでした。ファイルまたはフォルダが見つかりません").arg(gone));

    const QString other = dir.filePath(QStringLiteral("other"));
    Touch(other);
    EXPECT_TRUE(disk->identityOf(path).isKnown());
    EXPECT_FALSE(disk->identityOf(path).matches(disk->identityOf(other)));
    EXPECT_FALSE(disk->identityOf(dir.filePath(QStringLiteral("none"))).isKnown());
    EXPECT_FALSE(disk->removeExtraName(path, other).ok); // not the same file: kept
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(CreateHardLinkW(Wide(ExtendedPath(link)), Wide(ExtendedPath(other)), nullptr));
    EXPECT_TRUE(disk->identityOf(link).matches(disk->identityOf(other)));
    EXPECT_TRUE(disk->removeExtraName(other, link).ok);
    EXPECT_FALSE(QFile::exists(link));
}

} // namespace

#endif
