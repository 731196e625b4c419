#include "core/StoredSettings.h"

#include "core/FileTrust.h"
#include "core/IniDocument.h"
#include "core/Log.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The file's section and keys; they are named nowhere else.
const QString kSection = QStringLiteral("Quorvane");
const QString kWindowStateKey = QStringLiteral("WinState");
const QString kLeftKey = QStringLiteral("X");
const QString kTopKey = QStringLiteral("Y");
const QString kHeightKey = QStringLiteral("H");
const QString kWidthKey = QStringLiteral("W");
const QString kEditorPathKey = QStringLiteral("Editer");
const QString kEditorAtStartKey = QStringLiteral("EditerBoot");
const QString kFoldersAsRowsKey = QStringLiteral("Folder");
const QString kTopMostKey = QStringLiteral("Top");
const QString kIconsShownKey = QStringLiteral("Icon");
const QString kIgnoreCaseKey = QStringLiteral("Case");
const QString kHistoryKey = QStringLiteral("History");
const QString kChainKey = QStringLiteral("Chain");
const QString kCycleKey = QStringLiteral("Cycle");

const QString kHistorySeparator = QStringLiteral("|/");

// The key of a list column counted from 1: "Col0" followed by the number, so
// the tenth column is "Col010".
QString ColumnWidthKey(int columnNumber)
{
    return QStringLiteral("Col0") + QString::number(columnNumber);
}

// "A|/B|/" for A and B; and back, dropping empty pieces.
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

// The stored number, or fallback when the key is missing, empty or holds no
// leading number.
int ReadInt(const IniDocument& document, const QString& key, int fallback)
{
    const std::optional<QString> text = document.value(kSection, key);
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
    const UserFileBytes file = ReadUserFile(path, kIniMaxFileSize);
    trust = file.trust;
    document.parse(file.read ? QByteArrayView(file.bytes) : QByteArrayView());
    if (trust == FileTrust::Missing)
        return true;
    return trust == FileTrust::Trusted && file.read;
}

} // namespace

WindowState WindowStateOfNumber(int stored)
{
    switch (stored) {
    case 1:
        return WindowState::Minimised;
    case 2:
        return WindowState::Maximised;
    default:
        return WindowState::Normal;
    }
}

int NumberOfWindowState(WindowState state)
{
    switch (state) {
    case WindowState::Minimised:
        return 1;
    case WindowState::Maximised:
        return 2;
    case WindowState::Normal:
        break;
    }
    return 0;
}

StoredSettings LoadStoredSettings(const QString& path, const QList<int>& defaultColumnWidths,
                                  QString* ignoredReason)
{
    IniDocument document;
    FileTrust trust = FileTrust::Missing;
    // Whoever may write the folder may put a setting.ini there between two
    // starts: such a folder is not used at all.
    const QString folder = QFileInfo(path).absolutePath();
    const FileTrust folderTrust = CheckUserFolder(folder);
    if (folderTrust != FileTrust::Trusted && folderTrust != FileTrust::Missing) {
        ReportIgnoredFile(folder, folderTrust);
        if (ignoredReason)
            *ignoredReason = FolderRefusalText(QStringLiteral("設定フォルダ"), folder, folderTrust) +
                             QStringLiteral("今回の起動中に変えた設定は保存しません。");
    } else if (!LoadOwnDocument(document, path, trust)) {
        // Read as an empty file; said once here, and the caller leaves it alone.
        const bool trusted = trust == FileTrust::Trusted;
        if (trusted)
            qCWarning(lcQuorvane, "ignoring %s: unreadable or too large", qPrintable(path));
        else
            ReportIgnoredFile(path, trust);
        if (ignoredReason) {
            *ignoredReason =
                trusted ? QStringLiteral("「%1」は読み込めないか大きすぎるため、既定の設定で起動しました。"
                                         "今回の起動中に変えた設定は保存しません。中身を確かめ、"
                                         "要らなければ削除してから起動し直してください。")
                              .arg(QDir::toNativeSeparators(path))
                        : QStringLiteral("「%1」は%2。そのため読み込まず、既定の設定で起動しました。"
                                         "今回の起動中に変えた設定は保存しません。")
                                  .arg(QDir::toNativeSeparators(path), DistrustText(trust)) +
                              DistrustRemedyText(trust, path);
        }
    }
    StoredSettings settings;
    settings.left = ReadInt(document, kLeftKey, settings.left);
    settings.top = ReadInt(document, kTopKey, settings.top);
    settings.width = ReadInt(document, kWidthKey, settings.width);
    settings.height = ReadInt(document, kHeightKey, settings.height);
    settings.windowState = WindowStateOfNumber(ReadInt(document, kWindowStateKey, 0));
    for (int i = 0; i < defaultColumnWidths.size(); ++i)
        settings.columnWidths.append(ReadInt(document, ColumnWidthKey(i + 1), defaultColumnWidths[i]));
    settings.editorPath = document.readString(kSection, kEditorPathKey, QString());
    Options& options = settings.options;
    options.editorAtStart = ReadOption(document, kEditorAtStartKey);
    options.foldersAsRows = ReadOption(document, kFoldersAsRowsKey);
    options.topMost = ReadOption(document, kTopMostKey);
    options.iconsShown = ReadInt(document, kIconsShownKey, 0) == -1; // only exactly -1 shows icons
    options.ignoreCaseInSearch = ReadOption(document, kIgnoreCaseKey);
    options.chainOperations = ReadOption(document, kChainKey);
    options.renameCycles = ReadOption(document, kCycleKey);
    settings.insertionHistory = SplitHistory(document.readString(kSection, kHistoryKey, QString()));
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
                    ? QStringLiteral("%1 cannot be read or is too large").arg(QDir::toNativeSeparators(path))
                    : QStringLiteral("%1 is not the user's own file").arg(QDir::toNativeSeparators(path));
        }
        return false;
    }
    const auto write = [&document](const QString& key, const QString& value) {
        document.setValue(kSection, key, value);
    };
    write(kWindowStateKey, QString::number(NumberOfWindowState(settings.windowState)));
    if (settings.windowState == WindowState::Normal) {
        write(kLeftKey, QString::number(settings.left));
        write(kTopKey, QString::number(settings.top));
        write(kHeightKey, QString::number(settings.height));
        write(kWidthKey, QString::number(settings.width));
    }
    for (int i = 0; i < settings.columnWidths.size(); ++i)
        write(ColumnWidthKey(i + 1), QString::number(settings.columnWidths[i]));
    const Options& options = settings.options;
    write(kEditorPathKey, settings.editorPath);
    write(kEditorAtStartKey, OptionText(options.editorAtStart));
    write(kFoldersAsRowsKey, OptionText(options.foldersAsRows));
    write(kTopMostKey, OptionText(options.topMost));
    write(kIconsShownKey, OptionText(options.iconsShown));
    write(kIgnoreCaseKey, options.ignoreCaseInSearch ? QStringLiteral("1") : QStringLiteral("0"));
    write(kHistoryKey, JoinHistory(settings.insertionHistory));
    write(kChainKey, OptionText(options.chainOperations));
    write(kCycleKey, OptionText(options.renameCycles));
    if (!document.save(path)) {
        if (errorString)
            *errorString = document.errorString();
        return false;
    }
    return true;
}
