#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/RenameReasons.h"
#include "platform/ShellRename.h"
#include "tests/support/CaseName.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace {

// Fills a folder from a short description: "a.txt" is a file holding its own
// name, "d/" an empty folder, "B@a" a hard link named B to the file a.
void Populate(const QString& folder, const char* description)
{
    const QStringList items = QString::fromUtf8(description).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const QString path = folder + QLatin1Char('/') + item.section(QLatin1Char('@'), 0, 0);
        if (item.endsWith(QLatin1Char('/'))) {
            ASSERT_TRUE(QDir().mkdir(path));
        } else if (item.contains(QLatin1Char('@'))) {
            const QString original = folder + QLatin1Char('/') + item.section(QLatin1Char('@'), 1);
            ASSERT_EQ(::link(QFile::encodeName(original).constData(), QFile::encodeName(path).constData()),
                      0);
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(item.toUtf8());
        }
    }
}

// The folder as "name=content" for files and "name/" for folders, sorted; a
// temporary name left by a case-only rename reads ".~qv*".
QString Snapshot(const QString& folder)
{
    QStringList items;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString name =
            info.fileName().startsWith(QStringLiteral(".~qv")) ? QStringLiteral(".~qv*") : info.fileName();
        if (info.isDir()) {
            items.append(name + QLatin1Char('/'));
        } else {
            QFile file(info.filePath());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            items.append(name + QLatin1Char('=') + QString::fromUtf8(file.readAll()));
        }
    }
    items.sort();
    return items.join(QLatin1Char(' '));
}

QString Normalized(const char* snapshot)
{
    QStringList items = QString::fromUtf8(snapshot).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    items.sort();
    return items.join(QLatin1Char(' '));
}

// "<NUL>" stands for the NUL character, "<255a>" for 255 a's, "<3/d>" for "/d/d/d".
QString InFolder(const QTemporaryDir& dir, const char* name)
{
    QString text = QString::fromUtf8(name).replace(QStringLiteral("<NUL>"), QChar(0));
    static const QRegularExpression run(QStringLiteral("<(\\d+)([^>]+)>"));
    for (QRegularExpressionMatch m = run.match(text); m.hasMatch(); m = run.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), m.captured(2).repeated(m.captured(1).toInt()));
    return dir.path() + QLatin1Char('/') + text;
}

struct DiskCase {
    const char* name;
    const char* before;
    const char* from;
    const char* to;
    int code; // 0 for success
    const char* reasonPart;
    const char* after;
};

const DiskCase kDiskCases[] = {
    {"plain file", "a.txt", "a.txt", "b.txt", 0, "", "b.txt=a.txt"},
    {"case only on a case sensitive disk", "readme.txt", "readme.txt", "README.txt", 0, "",
     "README.txt=readme.txt"},
    {"target file exists", "a.txt b.txt", "a.txt", "b.txt", EEXIST, "すでにあります",
     "a.txt=a.txt b.txt=b.txt"},
    {"folder onto file", "d/ f", "d", "f", EEXIST, "すでにあります", "d/ f=f"},
    {"two hard links of one file are two names", "readme.txt README.txt@readme.txt", "readme.txt",
     "README.txt", EEXIST, "すでにあります", "README.txt=readme.txt readme.txt=readme.txt"},
    {"source gone", "b.txt", "a.txt", "c.txt", ENOENT, "見つかりません。ほかのプログラムで移動",
     "b.txt=b.txt"},
    {"folder gone", "", "gone/a.txt", "gone/b.txt", ENOENT, "フォルダが見つかりません", ""},
    {"separator in the new name", "a.txt d/", "a.txt", "d/a.txt", EINVAL, "名前として使えない形",
     "a.txt=a.txt d/"},
    {"dot dot as new name", "a.txt", "a.txt", "..", EINVAL, "名前として使えない形", "a.txt=a.txt"},
    {"NUL in the new name", "a.txt", "a.txt", "b<NUL>c", EINVAL, "名前として使えない形", "a.txt=a.txt"},
    // Name lengths count in bytes: あ takes three in UTF-8.
    {"255 bytes fit", "a", "a", "<255b>", 0, "", nullptr},
    {"256 bytes do not", "a", "a", "<256b>", ENAMETOOLONG, "名前が長すぎて", "a=a"},
    {"85 kana fit", "a", "a", "<85あ>", 0, "", nullptr},
    {"85 kana and a letter do not", "a", "a", "<85あ>b", ENAMETOOLONG, "名前が長すぎて", "a=a"},
    {"path beyond the system's limit", "", "<600/folder>/a", "<600/folder>/b", ENAMETOOLONG,
     "パス全体が長すぎる", ""},
};

void PrintTo(const DiskCase& c, std::ostream* out)
{
    *out << c.name;
}

class RealDisk : public ::testing::TestWithParam<DiskCase> {};

TEST_P(RealDisk, RenamesWithoutReplacing)
{
    const DiskCase& c = GetParam();
    QTemporaryDir dir;
    Populate(dir.path(), c.before);
    const RenameOutcome outcome = ShellRename(InFolder(dir, c.from), InFolder(dir, c.to));
    EXPECT_EQ(outcome.ok, c.code == 0);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_TRUE(outcome.reason.contains(QString::fromUtf8(c.reasonPart))) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.ok, outcome.reason.isEmpty());
    if (c.after) {
        EXPECT_EQ(Snapshot(dir.path()), Normalized(c.after));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RealDisk, ::testing::ValuesIn(kDiskCases), CaseName());

// Real calls, except where a case says otherwise: a forced answer is taken
// from the front of its list (0 lets the real call answer), `refuseWith` makes
// every no-replace rename answer like NFS, and `foldCase` makes names match
// without regard to case like a case-insensitive volume.
class ScriptedCalls : public PosixRenameCalls {
public:
    int refuseWith = 0;
    bool foldCase = false;
    QList<int> renameAnswers;
    QList<int> linkAnswers;
    QList<int> unlinkAnswers;
    int linkCalls = 0;
    // Owners, the sticky bit and devices the test cannot set up without root.
    void (*fakeIdentity)(const QByteArray& path, FileIdentity& identity) = nullptr;
    long nameLimit = 0; // 0 lets the file system answer

    int renameNoReplace(const char* from, const char* to) override
    {
        if (refuseWith)
            return refuseWith;
        if (const int forced = take(renameAnswers))
            return forced;
        if (foldCase && !folded(to).isEmpty())
            return EEXIST;
        return PosixRenameCalls::renameNoReplace(from, to);
    }
    int link(const char* from, const char* to) override
    {
        ++linkCalls;
        if (const int forced = take(linkAnswers))
            return forced;
        if (foldCase && !folded(to).isEmpty())
            return EEXIST;
        return PosixRenameCalls::link(from, to);
    }
    int unlink(const char* path) override
    {
        if (const int forced = take(unlinkAnswers))
            return forced;
        return PosixRenameCalls::unlink(path);
    }
    int identify(const char* path, FileIdentity& identity) override
    {
        const QByteArray found = foldCase ? folded(path) : QByteArray(path);
        const int error = PosixRenameCalls::identify(found.isEmpty() ? path : found.constData(), identity);
        if (error == 0 && fakeIdentity)
            fakeIdentity(QByteArray(path), identity);
        return error;
    }
    quint32 currentUser() override { return kMe; }
    long nameMax(const char* folder) override
    {
        return nameLimit ? nameLimit : PosixRenameCalls::nameMax(folder);
    }

    static constexpr quint32 kMe = 1000;

private:
    static int take(QList<int>& answers) { return answers.isEmpty() ? 0 : answers.takeFirst(); }
    // The existing path that matches `path` when case does not count.
    static QByteArray folded(const char* path)
    {
        const QString wanted = QFile::decodeName(path);
        const QFileInfo info(wanted);
        for (const QString& name :
             info.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
                return QFile::encodeName(info.dir().filePath(name));
        }
        return {};
    }
};

struct ScriptCase {
    const char* name;
    const char* before;
    const char* from;
    const char* to;
    int refuseWith;
    bool foldCase;
    QList<int> renameAnswers;
    QList<int> linkAnswers;
    QList<int> unlinkAnswers;
    bool ok;
    int code;
    const char* reasonPart;
    const char* after;
    // Owners, the sticky bit and devices a test cannot set up without root.
    void (*fakeIdentity)(const QByteArray& path, FileIdentity& identity) = nullptr;
    long nameLimit = 0;
};

constexpr quint32 kOtherUser = 2000;

// clang-format off
const ScriptCase kScriptCases[] = {
    // A file system that refuses the no-replace flag: files move by link and
    // unlink, folders after a check.
    {"link fallback", "a.txt", "a.txt", "b.txt", EINVAL, false, {}, {}, {},
     true, 0, "", "b.txt=a.txt"},
    {"link fallback after ENOSYS", "a.txt", "a.txt", "b.txt", ENOSYS, false, {}, {}, {},
     true, 0, "", "b.txt=a.txt"},
    {"link fallback keeps target", "a.txt b.txt", "a.txt", "b.txt", EINVAL, false, {}, {}, {},
     false, EEXIST, "すでにあります", "a.txt=a.txt b.txt=b.txt"},
    {"unlink refused removes new link", "a.txt", "a.txt", "b.txt", EINVAL, false, {}, {}, {EPERM},
     false, EPERM, "名前を変更する権限がありません", "a.txt=a.txt"},
    {"unlink refused twice leaves both names", "a.txt", "a.txt", "b.txt", EINVAL, false, {}, {}, {EACCES, EACCES},
     false, EACCES, "二つの名前で残っています", "a.txt=a.txt b.txt=a.txt"},
    {"no hard links either", "a.txt", "a.txt", "b.txt", EINVAL, false, {}, {EPERM}, {},
     false, EINVAL, "上書きするおそれなしに", "a.txt=a.txt"},
    {"folder after check", "d/", "d", "e", EINVAL, false, {}, {}, {},
     true, EINVAL, "確かめてから", "e/"},
    {"folder check finds empty target", "d/ e/", "d", "e", EINVAL, false, {}, {}, {},
     false, EEXIST, "すでにあります", "d/ e/"},
    {"other device is a reason, not a copy", "a.txt", "a.txt", "b.txt", 0, false, {EXDEV}, {}, {},
     false, EXDEV, "別のドライブ", "a.txt=a.txt"},
    // A case-folding volume answers EEXIST for the file itself.
    {"case only in two steps", "readme.txt", "readme.txt", "README.txt", 0, true, {}, {}, {},
     true, 0, "", "README.txt=readme.txt"},
    {"case only by links", "readme.txt", "readme.txt", "README.txt", EINVAL, true, {}, {}, {},
     true, 0, "", "README.txt=readme.txt"},
    // On a disk that keeps case, another file under the new name is no case change.
    {"target is another file", "a.txt b.txt", "a.txt", "b.txt", 0, false, {0, 0, EIO}, {}, {},
     false, EEXIST, "すでにあります", "a.txt=a.txt b.txt=b.txt"},
    {"case only folder", "photos/", "photos", "Photos", 0, true, {}, {}, {},
     true, 0, "", "Photos/"},
    {"temporary name taken", "readme.txt", "readme.txt", "README.txt", 0, true, {0, EEXIST}, {}, {},
     true, 0, "", "README.txt=readme.txt"},
    {"first step refused", "readme.txt", "readme.txt", "README.txt", 0, true, {0, EACCES}, {}, {},
     false, EACCES, "フォルダに書き込む権限がない", "readme.txt=readme.txt"},
    {"second step rolled back", "readme.txt", "readme.txt", "README.txt", 0, true, {0, 0, EIO}, {}, {},
     false, EIO, "エラー番号", "readme.txt=readme.txt"},
    {"rollback fails too", "readme.txt", "readme.txt", "README.txt", 0, true, {0, 0, EIO, EIO}, {}, {},
     false, EIO, "一時的な名前", ".~qv*=readme.txt"},
    {"other file under the folded name", "a.txt b.txt", "a.txt", "B.txt", 0, true, {}, {}, {},
     false, EEXIST, "すでにあります", "a.txt=a.txt b.txt=b.txt"},
    // The answer alone does not tell the cause; the file, its folder and
    // the file system's limit do.
    {"sticky folder, another user's file", "a.txt", "a.txt", "b.txt", 0, false, {EPERM}, {}, {},
     false, EPERM, "ほかのユーザーが所有する", "a.txt=a.txt",
     [](const QByteArray&, FileIdentity& id) { id.sticky = id.directory; id.owner = kOtherUser; }},
    {"sticky folder, own file", "a.txt", "a.txt", "b.txt", 0, false, {EPERM}, {}, {},
     false, EPERM, "名前を変更する権限がありません", "a.txt=a.txt",
     [](const QByteArray&, FileIdentity& id) {
         id.sticky = id.directory;
         id.owner = id.directory ? kOtherUser : ScriptedCalls::kMe;
     }},
    {"sticky folder that is not writable", "a.txt", "a.txt", "b.txt", 0, false, {EACCES}, {}, {},
     false, EACCES, "フォルダに書き込む権限がない", "a.txt=a.txt",
     [](const QByteArray&, FileIdentity& id) { id.sticky = id.directory; id.owner = kOtherUser; }},
    {"name beyond the file system's own limit", "a.txt", "a.txt", "n123456789", 0, false, {ENAMETOOLONG}, {}, {},
     false, ENAMETOOLONG, "名前が長すぎて", "a.txt=a.txt", nullptr, 8},
    {"busy dot", "", ".", "b", 0, false, {EBUSY}, {}, {}, false, EBUSY, "特別な名前", ""},
    {"busy mount point", "d/", "d", "e", 0, false, {EBUSY}, {}, {}, false, EBUSY, "マウントポイント", "d/",
     [](const QByteArray& path, FileIdentity& id) { id.device += path.endsWith("/d") ? 1 : 0; }},
    {"busy folder", "d/", "d", "e", 0, false, {EBUSY}, {}, {}, false, EBUSY, "使用中", "d/"},
};
// clang-format on

void PrintTo(const ScriptCase& c, std::ostream* out)
{
    *out << c.name;
}

class InjectedCalls : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(InjectedCalls, NeverLoseAFile)
{
    const ScriptCase& c = GetParam();
    QTemporaryDir dir;
    Populate(dir.path(), c.before);
    ScriptedCalls calls;
    calls.refuseWith = c.refuseWith;
    calls.foldCase = c.foldCase;
    calls.renameAnswers = c.renameAnswers;
    calls.linkAnswers = c.linkAnswers;
    calls.unlinkAnswers = c.unlinkAnswers;
    calls.fakeIdentity = c.fakeIdentity;
    calls.nameLimit = c.nameLimit;
    PosixFileRenamer renamer(calls);

    const RenameOutcome outcome = renamer.rename(InFolder(dir, c.from), InFolder(dir, c.to));
    EXPECT_EQ(outcome.ok, c.ok);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_TRUE(outcome.reason.contains(QString::fromUtf8(c.reasonPart))) << outcome.reason.toStdString();
    EXPECT_EQ(Snapshot(dir.path()), Normalized(c.after));
    if (c.refuseWith == 0) {
        EXPECT_EQ(calls.linkCalls, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, InjectedCalls, ::testing::ValuesIn(kScriptCases), CaseName());

// On a disk without the no-replace rename, another program saves under the
// old name (its new file renamed over it) between the link and the unlink.
class SaveDuringLink : public ScriptedCalls {
public:
    int link(const char* from, const char* to) override
    {
        const int result = ScriptedCalls::link(from, to);
        const QByteArray saved = QByteArray(from) + ".save";
        QFile file(QFile::decodeName(saved));
        if (file.open(QIODevice::WriteOnly) && file.write("new version") > 0) {
            file.close();
            ::rename(saved.constData(), from);
        }
        return result;
    }
};

TEST(InjectedCalls, SaveBetweenLinkAndUnlinkSurvives)
{
    QTemporaryDir dir;
    Populate(dir.path(), "a.txt");
    SaveDuringLink calls;
    calls.refuseWith = EINVAL;
    PosixFileRenamer renamer(calls);
    const RenameOutcome outcome = renamer.rename(InFolder(dir, "a.txt"), InFolder(dir, "b.txt"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.reason.contains(QStringLiteral("置き換えられた"))) << outcome.reason.toStdString();
    EXPECT_EQ(Snapshot(dir.path()), QStringLiteral("a.txt=new version"));
}

} // namespace

#endif
