#pragma once

#include <QLocale>

class QTranslator;

// Qt's own texts in Japanese (the file and folder dialogs, the buttons of
// message boxes) when the user reads Japanese: Qt's qtbase_ja from its
// translations folder. Returns the installed translator, owned by the
// application, or nullptr when the locale's languages hold no Japanese or
// the translations are not installed (the dialogs then stay in English).
QTranslator* InstallQtTranslations(const QLocale& locale);
