#include "ui/QtTranslations.h"

#include "tests/support/QtPrinters.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

TEST(QtTranslations, StandardDialogsSpeakJapaneseToJapaneseReaders)
{
    const struct {
        const char* locale;
        const char* lookIn; // the folder dialog's "Look in:"
        const char* cancel; // a message box button
    } cases[] = {
        {"ja_JP", "アドレス:", "キャンセル"},
        {"en_US", "Look in:", "Cancel"},
        {"de_DE", "Look in:", "Cancel"}, // the program speaks Japanese or Qt's own English, nothing else
    };
    for (const auto& c : cases) {
        QTranslator* installed = InstallQtTranslations(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8(c.lookIn))
            << c.locale;
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(c.cancel))
            << c.locale;
        delete installed; // uninstalls itself
    }
}

} // namespace
