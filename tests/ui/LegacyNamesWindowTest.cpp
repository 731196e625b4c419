// Names from old archives and disks, in CP932 and EUC-JP bytes, through the
// real window: listed as they read, repaired, renamed and undone to the byte.
#include "platform/CommandLinePaths.h"
#include "tests/ui/WindowFixture.h"

// Only POSIX names are bytes; every Windows name is UTF-16 text.
#ifndef Q_OS_WIN
namespace {

const QByteArray kCp932 = "\x83\x65\x83\x58\x83\x67.txt"; // "テスト.txt"
const QByteArray kEucJp = "\xc6\xfc\xcb\xdc\xb8\xec.txt"; // "日本語.txt"
const QByteArray kNeither = "\xff\xfe.bin";
const QByteArray kDoubled = "\xe7\xb9\xa7\xef\xbd\xb5\xe7\xb9\x9d\xef\xbd\xb3.txt"; // "繧ｵ繝ｳ.txt"

struct LegacyNamesWindow : WindowFixture {
    QString folder = path(QStringLiteral("old"));
    LegacyNamesWindow()
    {
        QDir().mkdir(folder);
        for (const QByteArray& name : {kCp932, kEucJp, kNeither, kDoubled, QByteArray("a.txt")})
            WriteBytes(folder + u'/' + DecodeFileName(name), "content of " + name);
    }
    ~LegacyNamesWindow()
    {
        for (const QString& name : ExactNames(folder)) // QTemporaryDir cannot remove them
            ::unlink(EncodeFileName(QString(folder + u'/' + name)).constData());
    }
    QModelIndex cell(const QByteArray& name, int column) const
    {
        const QAbstractItemModel* model = child<RenameListView>("fileList")->model();
        return model->index(static_cast<int>(currentNames().indexOf(DecodeFileName(name))), column);
    }
    // Every file with its content, exactly: the names on disk and what each holds.
    QStringList disk() const
    {
        QStringList files;
        for (const QString& name : ExactNames(folder))
            files.append(QString::fromLatin1(EncodeFileName(name).toHex()) + u'=' +
                         QString::fromLatin1(ReadBytes(folder + u'/' + name).toHex()));
        return files;
    }
};

TEST(LegacyNamesWindow, AreListedRepairedRenamedAndUndoneToTheByte)
{
    LegacyNamesWindow f;
    const QStringList before = f.disk();
    f.window->session().openFolder(f.folder);
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.currentNames().size() == 5; }));

    // Shown as they read, with a mark; the bytes stay the row's.
    EXPECT_EQ(f.cell(kCp932, 0).data().toString(), QStringLiteral("テスト.txt"));
    EXPECT_EQ(f.cell(kEucJp, 0).data().toString(), QStringLiteral("日本語.txt"));
    EXPECT_EQ(f.cell(kNeither, 0).data().toString(), QStringLiteral("\uFFFD\uFFFD.bin"));
    EXPECT_TRUE(
        f.cell(kCp932, 0).data(Qt::ToolTipRole).toString().contains(u"文字化けしている可能性があります"));
    EXPECT_FALSE(f.cell("a.txt", 0).data(Qt::ToolTipRole).toString().contains(u"文字化け"));

    // A new name that still holds such bytes is marked and never written.
    f.trigger(Command::UpperAll);
    const RenamePreview& preview = f.window->session().preview();
    EXPECT_EQ(preview.rows.at(f.cell(kCp932, 1).row()).problem, PreviewProblem::StrayBytes);
    EXPECT_EQ(preview.failing, 3);
    f.click(Command::Rename);
    EXPECT_EQ(f.disk().size(), 5);
    EXPECT_TRUE(ExactNames(f.folder).contains(DecodeFileName(kCp932)));
    f.click(Command::Undo);
    EXPECT_EQ(f.disk(), before);

    // One command repairs them all; rename and undo round trip the bytes.
    f.trigger(Command::ClearList);
    f.window->session().openFolder(f.folder);
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.currentNames().size() == 5; }));
    f.trigger(Command::RepairMojibake);
    EXPECT_EQ(f.window->session().preview().failing, 0); // the name that reads as neither stays
    f.click(Command::Rename);
    EXPECT_EQ(ExactNames(f.folder), Split("a.txt|サン.txt|テスト.txt|日本語.txt")
                                        << DecodeFileName(kNeither));
    f.click(Command::Undo);
    EXPECT_EQ(f.disk(), before);
}

// From the command line, where the explicit encodings choose.
TEST(LegacyNamesWindow, ComeFromTheCommandLineAndReadAsTheChosenEncoding)
{
    LegacyNamesWindow f;
    const QByteArray base = EncodeFileName(f.folder) + '/';
    const QByteArray arguments[] = {"quorvane", base + kCp932, base + kEucJp};
    const char* argv[] = {arguments[0].constData(), arguments[1].constData(), arguments[2].constData()};
    f.window->startUp(CommandLinePaths(3, argv).paths);
    ASSERT_EQ(f.currentNames(), QStringList({DecodeFileName(kCp932), DecodeFileName(kEucJp)}));
    const std::pair<Command, const char*> choices[] = {
        {Command::RepairMojibakeAsCp932, "テスト.txt|"},
        {Command::RepairMojibakeAsEucJp, "|日本語.txt"},
    };
    for (const auto& [command, expected] : choices) {
        f.trigger(command);
        QStringList repaired = f.newNames();
        for (QString& name : repaired) // unchanged rows keep their bytes
            name = HasStrayBytes(name) ? QString() : name;
        EXPECT_EQ(repaired.join(u'|'), U(expected)) << SlotOf(command);
    }
}

} // namespace
#endif
