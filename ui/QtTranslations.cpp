#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>
#include <cstring>

namespace {

// Qt's Japanese catalogue lacks the file types the file dialogs show in
// their type column; without these the one English word there is "Folder".
class FileTypeTranslator final : public QTranslator {
public:
    using QTranslator::QTranslator;
    [[nodiscard]] bool isEmpty() const override { return false; }
    [[nodiscard]] QString translate(const char* context, const char* source, const char* disambiguation,
                                    int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (!context || !source || std::strcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        if (std::strcmp(source, "Folder") == 0 || std::strcmp(source, "File Folder") == 0)
            return QStringLiteral("フォルダ");
        if (std::strcmp(source, "Drive") == 0)
            return QStringLiteral("ドライブ");
        if (std::strcmp(source, "Unknown") == 0)
            return QStringLiteral("不明");
        return {};
    }
};

} // namespace

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
    QCoreApplication::installTranslator(new FileTypeTranslator(translator));
    return translator;
}
