#include "ui/QtTranslations.h"

#include "tests/support/QtPrinters.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(QtTranslations, StandardDialogsSpeakJapaneseToJapaneseReadersOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ja_JP", "アドレス:"}, {"en_US", "Look in:"}, {"de_DE", "Look in:"}};
    for (const auto& [locale, lookIn] : cases) {
        const std::unique_ptr<QTranslator> installed(
            InstallQtTranslations(QLocale(QString::fromLatin1(locale))));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8(lookIn))
            << locale;
    }
}
