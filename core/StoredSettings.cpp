#include "core/StoredSettings.h"

#include "core/FileTrust.h"
#include "core/Log.h"
#include "core/mod_ini.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kHistorySeparator = QStringLiteral("|/");

// The stored number, or fallback when the key is missing, empty or holds no
// leading number.
int ReadInt(const IniDocument& document, const QString& key, int fallback)
{
    const std::optional<QString> text = document.value(kSettingsSection, key);
    if (!text)
        return fallback;
    return ParseLeadingInt(*text).value_or(fallback);
}

bool ReadOption(const IniDocument& document, const QString& key)
{
    return ReadInt(document, key, 0) != 0;
}

QString OptionText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

// Reads the file when it is the user's own; otherwise the document stays
// empty and `trust` says why. False when the file is there but not read.
bool LoadOwnDocument(IniDocument& document, const QString& path, FileTrust& trust)
{
    trust = CheckUserFile(path);
    if (trust != FileTrust::Missing && trust != FileTrust::Trusted)
        return false;
    return document.load(path);
}

} // namespace

QString ColumnWidthKey(int columnNumber)
{
    return QStringLiteral("Col0") + QString::number(columnNumber);
}

QString JoinHistory(const QStringList& entries)
{
    QString value;
    for (const QString& entry : entries)
        value += entry + kHistorySeparator;
    return value;
}

QStringList SplitHistory(const QString& value)
{
    return value.split(kHistorySeparator, Qt::SkipEmptyParts);
}

StoredSettings LoadStoredSettings(const QString& path, const QList<int>& defaultColumnWidths,
                                  QString* ignoredReason)
{
    IniDocument document;
    FileTrust trust = FileTrust::Missing;
    if (!LoadOwnDocument(document, path, trust)) {
        // Read as an empty file; said once here, and the caller leaves it alone.
        const bool trusted = trust == FileTrust::Trusted;
        if (trusted)
            qCWarning(lcQuorvane, "ignoring %s", qPrintable(document.errorString()));
        else
            ReportIgnoredFile(path, trust);
        if (ignoredReason) {
            *ignoredReason = QStringLiteral("%1 を読み込まず、既定の設定で起動しました（%2）")
                                 .arg(QFileInfo(path).fileName(),
                                      trusted ? QStringLiteral("読み込めないか、大きすぎるファイルです")
                                              : DistrustText(trust));
        }
    }
    StoredSettings settings;
    settings.x = ReadInt(document, QStringLiteral("X"), settings.x);
    settings.y = ReadInt(document, QStringLiteral("Y"), settings.y);
    settings.width = ReadInt(document, QStringLiteral("W"), settings.width);
    settings.height = ReadInt(document, QStringLiteral("H"), settings.height);
    settings.winState = ReadInt(document, QStringLiteral("WinState"), settings.winState);
    for (int i = 0; i < defaultColumnWidths.size(); ++i)
        settings.columnWidths.append(ReadInt(document, ColumnWidthKey(i + 1), defaultColumnWidths[i]));
    settings.editer = document.readString(kSettingsSection, QStringLiteral("Editer"), QString());
    settings.editerBoot = ReadOption(document, QStringLiteral("EditerBoot"));
    settings.folder = ReadOption(document, QStringLiteral("Folder"));
    settings.top = ReadOption(document, QStringLiteral("Top"));
    settings.icon = ReadInt(document, QStringLiteral("Icon"), 0);
    settings.ignoreCase = ReadInt(document, QStringLiteral("Case"), 0);
    settings.history =
        SplitHistory(document.readString(kSettingsSection, QStringLiteral("History"), QString()));
    return settings;
}

bool SaveStoredSettings(const QString& path, const StoredSettings& settings, QString* errorString)
{
    IniDocument document;
    // Saving over a file that could not be read would throw away its other
    // keys; one that is not the user's own is left as it is.
    FileTrust trust = FileTrust::Missing;
    if (!LoadOwnDocument(document, path, trust)) {
        if (errorString) {
            *errorString =
                trust == FileTrust::Trusted
                    ? document.errorString()
                    : QStringLiteral("%1 is not the user's own file").arg(QDir::toNativeSeparators(path));
        }
        return false;
    }
    const auto write = [&document](const QString& key, const QString& value) {
        document.setValue(kSettingsSection, key, value);
    };
    write(QStringLiteral("WinState"), QString::number(settings.winState));
    if (settings.winState == 0) {
        write(QStringLiteral("X"), QString::number(settings.x));
        write(QStringLiteral("Y"), QString::number(settings.y));
        write(QStringLiteral("H"), QString::number(settings.height));
        write(QStringLiteral("W"), QString::number(settings.width));
    }
    for (int i = 0; i < settings.columnWidths.size(); ++i)
        write(ColumnWidthKey(i + 1), QString::number(settings.columnWidths[i]));
    write(QStringLiteral("Editer"), settings.editer);
    write(QStringLiteral("EditerBoot"), OptionText(settings.editerBoot));
    write(QStringLiteral("Folder"), OptionText(settings.folder));
    write(QStringLiteral("Top"), OptionText(settings.top));
    write(QStringLiteral("Icon"), OptionText(settings.iconShown()));
    write(QStringLiteral("Case"), QString::number(settings.ignoreCase));
    write(QStringLiteral("History"), JoinHistory(settings.history));
    if (!document.save(path)) {
        if (errorString)
            *errorString = document.errorString();
        return false;
    }
    return true;
}
