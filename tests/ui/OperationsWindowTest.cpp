// The operations themselves are the ops tables'; here each button, right
// click and popup entry reaches its own, with the options the window holds.
#include "tests/ui/WindowFixture.h"

namespace {

struct OperationsWindow : WindowFixture {
    OperationsWindow() { start("ab.jpg|b.jpg|c.png"); }
    QString hintOf(Command command) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(window->button(command), &move);
        return window->statusText();
    }
    QString first() const { return newNames().first(); }
};

// In one sequence: the template buttons fill new names; the
// case button cycles with its hover hints; replace, delete, width and the
// regular expressions of the replace menu.
TEST(OperationsWindow, EachButtonReachesItsOperation)
{
    OperationsWindow f;
    auto* combo = f.child<QComboBox>("insertionBox");
    combo->setEditText(QStringLiteral("IMG_<001>"));
    f.click(Command::ChangeName);
    EXPECT_EQ(f.newNames().join(u'|'), QStringLiteral("IMG_001.jpg|IMG_002.jpg|IMG_003.png"));
    const std::pair<Command, const char*> insertions[] = {{Command::ChangeExtension, "ab.IMG_001"},
                                                          {Command::Prepend, "IMG_001ab.jpg"},
                                                          {Command::Append, "abIMG_001.jpg"}};
    for (const auto& [button, expected] : insertions) {
        f.click(button);
        EXPECT_EQ(f.first(), QString::fromUtf8(expected));
    }
    combo->setEditText(QStringLiteral("txt")); // the box keeps it; the history is SettingsWindow's
    f.click(Command::ChangeExtension);
    EXPECT_EQ(combo->currentText(), QStringLiteral("txt"));

    // A start value outside the range fails at the first row: nothing changes
    // and the reason is in panel 1.
    combo->setEditText(QStringLiteral("<40000>"));
    f.click(Command::Append);
    EXPECT_EQ(f.first(), QStringLiteral("ab.txt"));
    EXPECT_FALSE(f.window->statusText().isEmpty());

    const QStringList hints = {
        QStringLiteral("全文字を大文字にします"), QStringLiteral("先頭文字のみ大文字にします"),
        QStringLiteral("ファイル名のみ大文字にします"), QStringLiteral("拡張子のみ大文字にします")};
    for (const QString& hint : hints) {
        EXPECT_EQ(f.hintOf(Command::UpperCase), hint);
        f.click(Command::UpperCase);
    }
    EXPECT_EQ(f.first(), QStringLiteral("ab.JPG")); // the fourth variant: extension only
    EXPECT_EQ(f.hintOf(Command::Rename), QStringLiteral("リネームを実行します（Ctrl+R）"));
    f.click(Command::LowerCase);
    EXPECT_EQ(f.hintOf(Command::LowerCase), QStringLiteral("拡張子のみ小文字にします"));
    f.trigger(Command::UpperAll);
    EXPECT_EQ(f.first(), QStringLiteral("AB.JPG"));
    f.trigger(Command::LowerExtension); // from the current names, as the buttons
    EXPECT_EQ(f.first(), QStringLiteral("ab.jpg"));

    f.child<QLineEdit>("searchBox")->setText(QStringLiteral("B"));
    f.child<QLineEdit>("replaceBox")->setText(QStringLiteral("x"));
    f.click(Command::Replace);
    EXPECT_EQ(f.first(), QStringLiteral("ab.jpg")); // case matters by default
    f.child<QCheckBox>("ignoreCaseBox")->setChecked(true);
    f.click(Command::Replace);
    EXPECT_EQ(f.first(), QStringLiteral("ax.jpg"));

    f.click(Command::DeleteFirst); // continues from the new names
    EXPECT_EQ(f.first(), QStringLiteral("x.jpg"));
    f.click(Command::DeleteLast, Qt::RightButton); // starts again from the current names
    EXPECT_EQ(f.first(), QStringLiteral("a.jpg"));

    f.click(Command::Width); // half width first, from the current names
    EXPECT_EQ(f.first(), QStringLiteral("ab.jpg"));
    EXPECT_EQ(f.hintOf(Command::Width), QStringLiteral("ファイル名を全角にします"));

    // The replace menu's regular expressions: groups, the extension spared.
    // A bad pattern's reason is ReplaceNames'; how a refused command reaches
    // panel 1 is the start value's above.
    f.child<QLineEdit>("searchBox")->setText(QStringLiteral(R"((\w)(\w)\.)"));
    f.child<QLineEdit>("replaceBox")->setText(QStringLiteral(R"(\2\1.)"));
    f.trigger(Command::ReplaceRegex);
    EXPECT_EQ(f.newNames().join(u'|'), QStringLiteral("ba.jpg|b.jpg|c.png"));
    f.child<QLineEdit>("searchBox")->setText(QStringLiteral("(.)$"));
    f.child<QLineEdit>("replaceBox")->setText(QStringLiteral("$1$1"));
    f.trigger(Command::ReplaceRegexSparingExtension);
    EXPECT_EQ(f.newNames().join(u'|'), QStringLiteral("abb.jpg|bb.jpg|cc.png"));
}

// Over a scanned folder holding a decomposed name ("パ" as ハ + U+309A, as
// macOS writes it) and mojibake: the width menu leaves kana alone, the row
// menu composes and repairs. A composed twin's mark is the preview's own
// (RenamePreviewTest, and SystemFolderRules over a real folder).
TEST(OperationsWindow, WidthMenuAndNameRepairsOverAScannedFolder)
{
    WindowFixture f;
    const QStringList names = Split("b.txt|ハ\u309A.txt|繧ｵ繝ｳ繝励Ν.txt|ＡＢＣ「ｽｷｬｯﾄ」.txt");
    for (const QString& name : names)
        f.makeFile(name);
    f.window->session().openFolder(f.dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.currentNames().size() == 4; }));
    auto newNames = [&f, &names] { // in the order of `names`, whatever order the scan gave
        QStringList result;
        for (const QString& name : names)
            result.append(f.newNames().value(f.currentNames().indexOf(name)));
        return result.join(u'|');
    };
    const std::pair<Command, const char*> steps[] = {
        {Command::NarrowAlphanumerics, "b.txt|ハ\u309A.txt|繧ｵ繝ｳ繝励Ν.txt|ABC「ｽｷｬｯﾄ」.txt"},
        {Command::WidenAlphanumerics, "ｂ.txt|ハ\u309A.txt|繧ｵ繝ｳ繝励Ν.txt|ＡＢＣ「ｽｷｬｯﾄ」.txt"},
        {Command::ComposeNames, "b.txt|パ.txt|繧ｵ繝ｳ繝励Ν.txt|ＡＢＣ「ｽｷｬｯﾄ」.txt"},
        {Command::RepairMojibake, "b.txt|ハ\u309A.txt|サンプル.txt|ＡＢＣ「ｽｷｬｯﾄ」.txt"},
    };
    for (const auto& [command, expected] : steps) {
        f.trigger(command);
        EXPECT_EQ(newNames(), U(expected)) << SlotOf(command);
        EXPECT_EQ(f.window->statusText(), QString()) << "the decomposed file leaves its name";
    }
}

} // namespace
