#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/RenameReasons.h"
#include "platform/ShellRename.h"
#include "tests/support/TestFiles.h"

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
    for (const QString& item : QString::fromUtf8(description).split(u' ', Qt::SkipEmptyParts)) {
        const QString path = folder + u'/' + item.section(u'@', 0, 0);
        if (item.endsWith(u'/'))
            ASSERT_TRUE(QDir().mkdir(path));
        else if (item.contains(u'@'))
            ASSERT_EQ(::link(QFile::encodeName(folder + u'/' + item.section(u'@', 1)).constData(),
                             QFile::encodeName(path).constData()),
                      0);
        else
            WriteBytes(path, item.toUtf8());
    }
}

// The folder as "name=content" for files and "name/" for folders, sorted; a
// temporary name left by a case-only rename reads ".~qv*".
QString Snapshot(const QString& folder)
{
    QStringList items;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString name =
            info.fileName().startsWith(QStringLiteral(".~qv")) ? QStringLiteral(".~qv*") : info.fileName();
        items.append(info.isDir() ? QString(name + u'/')
                                  : QString(name + u'=' + QString::fromUtf8(ReadBytes(info.filePath()))));
    }
    items.sort();
    return items.join(u' ');
}

// "<NUL>" stands for the NUL character, "<255a>" for 255 a's, "<3/d>" for "/d/d/d";
// a name that starts with "/" is a path from the root.
QString InFolder(const QTemporaryDir& dir, const char* name)
{
    QString text = QString::fromUtf8(name).replace(QStringLiteral("<NUL>"), QChar(0));
    static const QRegularExpression run(QStringLiteral("<(\\d+)([^>]+)>"));
    for (QRegularExpressionMatch m = run.match(text); m.hasMatch(); m = run.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), m.captured(2).repeated(m.captured(1).toInt()));
    return (text.startsWith(u'/') ? QString() : dir.path() + QLatin1Char('/')) + text;
}

// What a test makes the calls answer; by default the real calls answer. A
// forced answer is taken from the front of its list (0 lets the real call
// answer), `refuseWith` makes every no-replace rename answer like NFS, and
// `foldCase` makes names match without regard to case like a case-insensitive
// volume. Owners, the sticky bit and devices a test cannot set up without root
// come from `fakeIdentity`.
struct Script {
    int refuseWith = 0;
    bool foldCase = false;
    QList<int> renameAnswers = {}, linkAnswers = {}, unlinkAnswers = {};
    void (*fakeIdentity)(const QByteArray& path, PathFacts& identity) = nullptr;
};

class ScriptedCalls : public PosixRenameCalls {
public:
    explicit ScriptedCalls(const Script& script)
        : s(script)
    {}
    Script s;
    int linkCalls = 0;

    int renameNoReplace(const char* from, const char* to) override
    {
        if (s.refuseWith)
            return s.refuseWith;
        if (const int forced = take(s.renameAnswers))
            return forced;
        if (s.foldCase && !folded(to).isEmpty())
            return EEXIST;
        return PosixRenameCalls::renameNoReplace(from, to);
    }
    int link(const char* from, const char* to) override
    {
        ++linkCalls;
        const int forced = take(s.linkAnswers);
        if (forced > 0)
            return forced;
        if (s.foldCase && !folded(to).isEmpty())
            return EEXIST;
        const int result = PosixRenameCalls::link(from, to);
        if (forced == kSaveMeanwhile)
            saveOver(from);
        return result;
    }
    int unlink(const char* path) override
    {
        const int forced = take(s.unlinkAnswers);
        if (forced == kSaveMeanwhile) // refused, and the name saved over meanwhile
            return saveOver(path), EACCES;
        return forced ? forced : PosixRenameCalls::unlink(path);
    }
    // Another program saves under a name, its new file renamed over it.
    static void saveOver(const char* path)
    {
        WriteBytes(QFile::decodeName(path) + QStringLiteral(".save"), "new version");
        ::rename(QByteArray(QByteArray(path) + ".save").constData(), path);
    }
    int identify(const char* path, PathFacts& identity) override
    {
        const QByteArray found = s.foldCase ? folded(path) : QByteArray(path);
        const int error = PosixRenameCalls::identify(found.isEmpty() ? path : found.constData(), identity);
        if (error == 0 && s.fakeIdentity)
            s.fakeIdentity(QByteArray(path), identity);
        return error;
    }
    quint32 currentUser() override { return kMe; }

    static constexpr quint32 kMe = 1000;
    static constexpr int kSaveMeanwhile = -1; // as a link or unlink answer

private:
    static int take(QList<int>& answers) { return answers.isEmpty() ? 0 : answers.takeFirst(); }
    // The existing path that matches `path` when case does not count.
    static QByteArray folded(const char* path)
    {
        const QFileInfo info(QFile::decodeName(path));
        for (const QString& name :
             info.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
                return QFile::encodeName(info.dir().filePath(name));
        }
        return {};
    }
};

struct RenameCase {
    const char *name, *before, *from, *to;
    bool ok;
    int code;
    // after nullptr: not compared
    const char *reasonPart, *after;
    Script script = {};
};

constexpr quint32 kOtherUser = 2000;

// clang-format off
const RenameCase kCases[] = {
    {"plain file", "a.txt", "a.txt", "b.txt", true, 0, "", "b.txt=a.txt"},
    {"target file exists", "a.txt b.txt", "a.txt", "b.txt", false, EEXIST, "すでにあります", "a.txt=a.txt b.txt=b.txt"},
    // On a disk that keeps case the two steps of a case-only rename find the other name taken.
    {"two hard links of one file are two names", "readme.txt README.txt@readme.txt", "readme.txt", "README.txt",
     false, EEXIST, "すでにあります", "README.txt=readme.txt readme.txt=readme.txt"},
    {"source gone", "b.txt", "a.txt", "c.txt", false, ENOENT, "見つかりません。ほかのプログラムで移動", "b.txt=b.txt"},
    {"folder gone", "", "gone/a.txt", "gone/b.txt", false, ENOENT, "フォルダが見つかりません", ""},
    {"separator in the new name", "a.txt d/", "a.txt", "d/a.txt", false, EINVAL, "名前として使えない形", "a.txt=a.txt d/"},
    {"dot dot as new name", "a.txt", "a.txt", "..", false, EINVAL, "名前として使えない形", "a.txt=a.txt"},
    {"NUL in the new name", "a.txt", "a.txt", "b<NUL>c", false, EINVAL, "名前として使えない形", "a.txt=a.txt"},
    // Name lengths count in bytes: あ takes three in UTF-8.
    {"255 bytes fit", "a", "a", "<255b>", true, 0, "", nullptr},
    {"85 kana and a letter do not", "a", "a", "<85あ>b", false, ENAMETOOLONG, "名前が長すぎて", "a=a"},
    {"path beyond the system's limit, a name at it", "", "<600/folder>/a", "<600/folder>/<255b>", false, ENAMETOOLONG,
     "パス全体が長すぎる", ""},
    // A file system that refuses the no-replace flag: files move by link and
    // unlink, folders after a check.
    {"link fallback after ENOSYS", "a.txt", "a.txt", "b.txt", true, 0, "", "b.txt=a.txt", {ENOSYS}},
    {"link fallback keeps target", "a.txt b.txt", "a.txt", "b.txt", false, EEXIST, "すでにあります",
     "a.txt=a.txt b.txt=b.txt", {EINVAL}},
    {"unlink refused removes new link", "a.txt", "a.txt", "b.txt", false, EPERM, "変更する権限がありません",
     "a.txt=a.txt", {EINVAL, false, {}, {}, {EPERM}}},
    {"unlink refused twice leaves both names", "a.txt", "a.txt", "b.txt", false, EACCES, "二つの名前で残っています",
     "a.txt=a.txt b.txt=a.txt", {EINVAL, false, {}, {}, {EACCES, EACCES}}},
    {"no hard links either", "a.txt", "a.txt", "b.txt", false, EINVAL, "上書きするおそれのない方法", "a.txt=a.txt",
     {EINVAL, false, {}, {EPERM}}},
    {"save between link and unlink survives", "a.txt", "a.txt", "b.txt", false, EAGAIN, "置き換えられた",
     "a.txt=new version", {EINVAL, false, {}, {ScriptedCalls::kSaveMeanwhile}}},
    {"save during a refused unlink keeps both", "a.txt", "a.txt", "b.txt", false, EACCES, "二つの名前で残っています",
     "a.txt=new version b.txt=a.txt", {EINVAL, false, {}, {}, {ScriptedCalls::kSaveMeanwhile}}},
    {"folder after check", "d/", "d", "e", true, EINVAL, "確かめてから", "e/", {EINVAL}},
    {"folder check finds empty target", "d/ e/", "d", "e", false, EEXIST, "すでにあります", "d/ e/", {EINVAL}},
    {"other device is a reason, not a copy", "a.txt", "a.txt", "b.txt", false, EXDEV, "別のドライブ", "a.txt=a.txt",
     {0, false, {EXDEV}}},
    // A case-folding volume answers EEXIST for the file itself.
    {"case only in two steps", "readme.txt", "readme.txt", "README.txt", true, 0, "", "README.txt=readme.txt", {0, true}},
    // On a disk that keeps case, another file under the new name is no case change.
    {"target is another file", "a.txt b.txt", "a.txt", "b.txt", false, EEXIST, "すでにあります",
     "a.txt=a.txt b.txt=b.txt", {0, false, {0, 0, EIO}}},
    {"first step refused", "readme.txt", "readme.txt", "README.txt", false, EACCES, "フォルダに書き込む権限がない",
     "readme.txt=readme.txt", {0, true, {0, EACCES}}},
    {"second step rolled back", "readme.txt", "readme.txt", "README.txt", false, EIO, "読み書き中にエラー",
     "readme.txt=readme.txt", {0, true, {0, 0, EIO}}},
    {"rollback fails too", "readme.txt", "readme.txt", "README.txt", false, EIO, "一時的な名前", ".~qv*=readme.txt",
     {0, true, {0, 0, EIO, EIO}}},
    {"other file under the folded name", "a.txt b.txt", "a.txt", "B.txt", false, EEXIST, "すでにあります",
     "a.txt=a.txt b.txt=b.txt", {0, true}},
    // The answer alone does not tell the cause; the file, its folder and
    // the file system's limit do.
    {"sticky folder, another user's file", "a.txt", "a.txt", "b.txt", false, EPERM, "ほかのユーザーが所有する",
     "a.txt=a.txt", {0, false, {EPERM}, {}, {},
     [](const QByteArray&, PathFacts& id) { id.sticky = id.directory; id.owner = kOtherUser; }}},
    {"busy dot", "", ".", "b", false, EBUSY, "特別な名前", "", {0, false, {EBUSY}}},
    {"busy mount point", "d/", "d", "e", false, EBUSY, "マウントポイント", "d/", {0, false, {EBUSY}, {}, {},
     [](const QByteArray& path, PathFacts& id) { id.device += path.endsWith("/d") ? 1 : 0; }}},
    {"busy folder", "d/", "d", "e", false, EBUSY, "使用中", "d/", {0, false, {EBUSY}}},
    {"busy mount point in the root folder", "", "/tmp", "/tmp-renamed", false, EBUSY, "マウントポイント", nullptr,
     {0, false, {EBUSY}, {}, {}, [](const QByteArray& path, PathFacts& id) { id.device += path == "/tmp" ? 1 : 0; }}},
};
// clang-format on

TEST(Rename, NeverLosesAFile)
{
    for (const RenameCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        Populate(dir.path(), c.before);
        ScriptedCalls calls(c.script);
        PosixFileRenamer renamer(calls);

        const RenameOutcome outcome = renamer.rename(InFolder(dir, c.from), InFolder(dir, c.to));
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_TRUE(outcome.reason.contains(QString::fromUtf8(c.reasonPart))) << outcome.reason.toStdString();
        EXPECT_EQ(outcome.ok && outcome.code == 0, outcome.reason.isEmpty());
        if (c.after) {
            EXPECT_EQ(Snapshot(dir.path()), QString::fromUtf8(c.after));
        }
        if (c.script.refuseWith == 0) {
            EXPECT_EQ(calls.linkCalls, 0);
        }
    }
}

} // namespace

#endif
