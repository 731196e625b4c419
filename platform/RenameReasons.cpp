#include "platform/RenameReasons.h"

#include <QStringList>

QString RenameReasonText(RenameProblem problem, int code)
{
    switch (problem) {
    case RenameProblem::TargetExists:
        return QStringLiteral("変更後の名前のファイルまたはフォルダがすでにあります。");
    case RenameProblem::AccessDenied:
        return QStringLiteral("アクセスが拒否されました。フォルダに書き込む権限がありません。");
    case RenameProblem::NameTooLong:
        return QStringLiteral("名前が長すぎます。");
    case RenameProblem::SourceMissing:
        return QStringLiteral(
            "ファイルまたはフォルダが見つかりません。移動または削除された可能性があります。");
    case RenameProblem::FolderMissing:
        return QStringLiteral("ファイルのあるフォルダが見つかりません。");
    case RenameProblem::InUse:
        return QStringLiteral("ファイルまたはフォルダが使用中です。");
    case RenameProblem::ReadOnlyVolume:
        return QStringLiteral("書き込みできないドライブにあります。");
    case RenameProblem::NoSpace:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case RenameProblem::OtherDevice:
        return QStringLiteral("別のドライブへは名前の変更で移動できません。");
    case RenameProblem::InvalidName:
        return QStringLiteral("名前に使えない文字が含まれているか、名前の形式が正しくありません。");
    case RenameProblem::ReservedName:
        return QStringLiteral("CON、NUL、COM1 などの予約された名前は使えません。");
    case RenameProblem::TrailingDotOrSpace:
        return QStringLiteral("名前の最後にピリオドや空白は使えません。");
    case RenameProblem::NoSafeRename:
        return QStringLiteral("この名前に変更できません。名前に使えない文字が含まれているか、"
                              "このドライブでは既存のファイルを上書きしない名前の変更ができません。");
    case RenameProblem::Other:
        break;
    }
    return QStringLiteral("名前を変更できませんでした（エラー番号 %1）。").arg(code);
}

RenameOutcome RenameRefused(RenameProblem problem, int code)
{
    return {false, code, RenameReasonText(problem, code)};
}

QString StrandedTemporaryText(const QString& temporaryPath, const QString& why)
{
    return QStringLiteral("大文字と小文字だけの変更を完了できず、元の名前にも戻せませんでした。"
                          "ファイルは一時的な名前「%1」になっています。%2")
        .arg(temporaryPath, why);
}

QString BothNamesLeftText(const QString& fromPath, const QString& toPath, const QString& why)
{
    return QStringLiteral("名前の変更を完了できず、ファイルが「%1」と「%2」の両方の名前で残っています。%3")
        .arg(fromPath, toPath, why);
}

QString ReplacedDuringRenameText(const QString& leftoverPath)
{
    const QString text = QStringLiteral("名前の変更中に、元の名前のファイルが別のプログラムによって"
                                        "置き換えられたため、名前を変更しませんでした。");
    if (leftoverPath.isEmpty())
        return text;
    return text + QStringLiteral("置き換えられる前の版は「%1」の名前で残っています。").arg(leftoverPath);
}

QString NotAtomicText()
{
    return QStringLiteral("このドライブは上書きしない名前の変更に対応していないため、"
                          "変更後の名前が空いていることを確かめてから変更しました。");
}

std::optional<RenameProblem> TargetPathProblem(const QString& fromPath, const QString& toPath, QChar sep)
{
    const qsizetype fromSep = fromPath.lastIndexOf(sep);
    const qsizetype toSep = toPath.lastIndexOf(sep);
    if (fromSep != toSep || QStringView(fromPath).first(qMax<qsizetype>(fromSep, 0)) !=
                                QStringView(toPath).first(qMax<qsizetype>(toSep, 0)))
        return RenameProblem::InvalidName;
    const QStringView name = QStringView(toPath).mid(toSep + 1);
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(QChar(0)))
        return RenameProblem::InvalidName;
    return std::nullopt;
}

std::optional<RenameProblem> WindowsNameProblem(const QString& name)
{
    static const QString forbidden = QStringLiteral("<>:\"/\\|?*");
    for (const QChar ch : name) {
        if (ch.unicode() < 32 || forbidden.contains(ch))
            return RenameProblem::InvalidName;
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return RenameProblem::TrailingDotOrSpace;

    // The device names are reserved also with an extension ("nul.txt") and
    // with spaces before it ("CON .txt").
    static const QStringList reserved = [] {
        QStringList names = {QStringLiteral("CON"), QStringLiteral("PRN"),    QStringLiteral("AUX"),
                             QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
        const QString digits = QStringLiteral("123456789\u00B9\u00B2\u00B3");
        for (const QChar digit : digits) {
            names.append(QString(QStringLiteral("COM") + digit));
            names.append(QString(QStringLiteral("LPT") + digit));
        }
        return names;
    }();
    QStringView stem = QStringView(name);
    const qsizetype dot = stem.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        stem = stem.left(dot);
    while (stem.endsWith(QLatin1Char(' ')))
        stem.chop(1);
    for (const QString& device : reserved) {
        if (stem.compare(device, Qt::CaseInsensitive) == 0)
            return RenameProblem::ReservedName;
    }
    return std::nullopt;
}
