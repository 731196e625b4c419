#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>

QTranslator* InstallQtTranslations(const QLocale& locale)
{
    // The languages the user reads, in their order (LANGUAGE=ja:en with an
    // English LANG counts too).
    const QStringList languages = locale.uiLanguages();
    const bool japanese = std::any_of(languages.cbegin(), languages.cend(), [](const QString& language) {
        return language == QLatin1String("ja") || language.startsWith(QLatin1String("ja-")) ||
               language.startsWith(QLatin1String("ja_"));
    });
    if (!japanese)
        return nullptr;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}
