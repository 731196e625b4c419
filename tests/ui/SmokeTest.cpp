#include "tests/ui/WindowFixture.h"
#include "ui/ApplicationIcon.h"
#include "ui/MenuTable.h"
#include "ui/QtTranslations.h"

#include <QDialog>
#include <QTranslator>

namespace {

// Every menu entry carries its hint to panel 1 (a highlighted title clears
// it), sits in its place, is usable and runs; the buttons are DesktopWindow's.
TEST(Smoke, EveryEntryAndButtonIsUsableAndRuns)
{
    WindowFixture f;
    f.start("a.txt|b.txt");
    f.window->show();
    // Entries that open a file dialog or end the program are left out of the run.
    const QList<Command> interactive = {Command::ChooseFolder, Command::ChooseEditor, Command::Quit,
                                        Command::OpenReadMe, Command::StartUpdater};
    const auto entries = MenuEntries();
    ASSERT_EQ(entries.size(), 57u); // entries added later come last, placed where they belong
    for (size_t i = 0; i < entries.size(); ++i) {
        const QString name = QString::fromLatin1(entries[i].objectName);
        QMenu* menu = entries[i].kind == MenuKind::Title ? f.window->menu(name) : nullptr;
        QAction* item = menu ? menu->menuAction() : f.child<QAction>(entries[i].objectName);
        ASSERT_NE(item, nullptr) << name;
        f.window->session().setStatusText(QStringLiteral("x"));
        item->showStatusText(f.window.get());
        EXPECT_EQ(f.window->statusText(), HintOf(entries[i])) << name;
        if (menu) {
            EXPECT_EQ(menu->title(), QString::fromUtf16(entries[i].caption));
            continue;
        }
        // The read-me and updater items follow their files; a hidden entry
        // reports itself disabled.
        const bool separator = entries[i].kind == MenuKind::Separator;
        const bool exempt =
            separator || interactive.mid(3).contains(*entries[i].command) || !entries[i].visible;
        EXPECT_TRUE(exempt || item->isEnabled()) << name;
        if (!separator && !interactive.contains(*entries[i].command))
            item->trigger();
        f.window->session().list().setSelectedRow(0);
    }
    // Closing a menu clears the hint line.
    QMenu* file = f.window->menu(QStringLiteral("fileMenu"));
    file->popup(f.window->mapToGlobal(QPoint(10, 10)));
    f.window->session().setStatusText(QStringLiteral("hint"));
    file->hide();
    EXPECT_EQ(f.window->statusText(), QString());
    EXPECT_TRUE(f.window->isEnabled());
    // The hidden auto-rename item opened its dialog.
    EXPECT_NE(f.child<QDialog>("autoRenameDialog"), nullptr);
}

// A broken drawing, a resource left out of the link or a missing SVG icon
// engine give a blank window icon; Qt's own dialogs speak Japanese to
// Japanese readers only.
TEST(Smoke, TheIconIsDrawnAndQtDialogsFollowTheLanguage)
{
    const QImage icon = ApplicationIcon().pixmap(16).toImage();
    int opaque = 0;
    for (int i = 0; i < 16 * 16; ++i)
        opaque += qAlpha(icon.pixel(i % 16, i / 16)) > 128 ? 1 : 0;
    EXPECT_GT(opaque, 16 * 16 / 3);
    for (const auto& [locale, lookIn] : {std::pair{"ja_JP", "アドレス:"}, std::pair{"de_DE", "Look in:"}}) {
        const std::unique_ptr<QTranslator> installed(InstallQtTranslations(QLocale(U(locale))));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), U(lookIn)) << locale;
    }
}

} // namespace
