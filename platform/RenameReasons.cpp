#include "platform/RenameReasons.h"

#include "core/SystemErrorText.h"

#include <QStringList>

#include <cerrno>

namespace {

// A cause the system's code names, in the words every text uses for it,
// followed by what the user can do.
QString Because(int systemCode, const char16_t* remedy)
{
    return SystemCauseText(systemCode) + u'。' + QString::fromUtf16(remedy);
}

} // namespace

// Each reason names the cause in words of the user's desktop and ends with
// what the user can do about it.
QString RenameReasonText(RenameProblem problem, int code)
{
    switch (problem) {
    case RenameProblem::TargetExists:
        return SystemCauseText(EEXIST) + QStringLiteral("（上書きはしません）。ほかの名前にしてください。"
                                                        "名前を入れ替えるときは、「オプション」→「入れ替え・"
                                                        "循環する名前もリネームする」をオンにしてください。");
    case RenameProblem::AccessDenied:
#ifdef Q_OS_WIN
        return Because(EPERM, u"所有者とアクセス権、読み取り専用などの属性を確かめてください。");
#else
        // A missing write bit never stops a rename here: what does is an
        // attribute of the file itself, or the file's owner.
        return Because(EPERM, u"変更禁止（chattr +i）や追記のみ（chattr +a）の属性が付いていないか、"
                              u"「lsattr」で確かめてください。付いているときは「sudo chattr -i -a」で"
                              u"外してから、もう一度リネームしてください。");
#endif
    case RenameProblem::FolderNotWritable:
        return QStringLiteral("ファイルのあるフォルダに書き込む権限がないため、名前を変更できません。"
                              "フォルダのアクセス権を確かめてください。");
    case RenameProblem::OwnedByOther:
        return QStringLiteral(
            "ほかのユーザーが所有するファイルです。このフォルダでは所有者しか名前を変更できない設定"
            "（スティッキービット）になっています。所有者か管理者に依頼してください。");
    case RenameProblem::NameTooLong:
        return QStringLiteral("名前が長すぎて、このドライブでは使えません。短い名前にしてください。");
    case RenameProblem::PathTooLong:
        return QStringLiteral("フォルダを含めたパス全体が長すぎるため、名前を変更できません。"
                              "短い名前にするか、ファイルを浅い階層のフォルダに移してください。");
    case RenameProblem::SourceMissing:
        return Because(ENOENT, u"ほかのプログラムで移動、削除、または名前の変更をされた可能性があります。"
                               u"リストに追加し直してください。");
    case RenameProblem::FolderMissing:
        return Because(ENOTDIR, u"フォルダが移動、削除されたか、ドライブが外された可能性があります。"
                                u"ドライブをつなぎ直すか、リストに追加し直してください。");
    case RenameProblem::InUse:
        return Because(EBUSY, u"そのプログラムを閉じてから、もう一度リネームしてください。");
    case RenameProblem::DotEntry:
        return QStringLiteral(
            "「.」と「..」はフォルダ自身と親フォルダを指す特別な名前のため、名前を変更できません。"
            "フォルダの名前を変えるときは、そのフォルダそのものをリストに追加してください。");
    case RenameProblem::MountPoint:
        return QStringLiteral(
            "このフォルダにはほかのドライブが接続されている（マウントポイントになっている）ため、"
            "名前を変更できません。接続を解除してから、もう一度リネームしてください。");
    case RenameProblem::ReadOnlyVolume:
        return Because(EROFS, u"ドライブの書き込み禁止を解除するか、書き込みできる場所にコピーしてから"
                              u"リネームしてください。");
    case RenameProblem::NoSpace:
        return Because(ENOSPC, u"不要なファイルを削除してから、もう一度リネームしてください。");
    case RenameProblem::OtherDevice:
        return QStringLiteral("変更前と変更後の名前が別のドライブ（ファイルシステム）にあると扱われるため、"
                              "名前の変更では移せません。ファイルマネージャーで新しい名前にコピーしてから、"
                              "元のファイルを削除してください。");
    case RenameProblem::InvalidName:
        return QStringLiteral("名前に使えない文字が含まれているか、「.」「..」のように名前として使えない形"
                              "です。「/」はどのドライブでも、「\\」「:」「*」「?」「\"」「<」「>」「|」は "
                              "FAT や NTFS のドライブでは使えません。名前を直してから、もう一度リネーム"
                              "してください。");
    case RenameProblem::ReservedName:
        return QStringLiteral("CON、NUL、COM1 などは Windows が予約している名前のため使えません。"
                              "ほかの名前にしてください。");
    case RenameProblem::TrailingDotOrSpace:
        return QStringLiteral("名前の最後にピリオド（.）や空白は使えません。最後の文字を消してください。");
    case RenameProblem::NoSafeRename:
        return QStringLiteral(
            "この名前には変更できませんでした。名前にこのドライブでは使えない文字が含まれているか、"
            "このドライブが、同じ名前のファイルを上書きするおそれのない方法での名前の変更に対応して"
            "いないためです。名前を確かめ、それでも変更できないときは、ファイルをほかのドライブに移してから"
            "リネームしてください。");
    case RenameProblem::Other:
        break;
    }
#ifndef Q_OS_WIN
    // Here the code is the system's errno, which may have a cause of its own.
    if (!SystemCauseText(code).isEmpty())
        return Because(code, u"ドライブの状態を確かめて、もう一度リネームしてください。");
#endif
    return QStringLiteral("名前を変更できませんでした（エラー番号 %1）。ドライブの状態を確かめて、"
                          "もう一度リネームしてください。")
        .arg(code);
}

RenameOutcome RenameRefused(RenameProblem problem, int code)
{
    return {false, code, RenameReasonText(problem, code)};
}

QString BothNamesLeftText(const QString& fromPath, const QString& toPath, const QString& why)
{
    return QStringLiteral("名前の変更を完了できず、一つのファイルが「%1」と「%2」の二つの名前で残っています。"
                          "不要なほうの名前をファイルマネージャーで削除してください。"
                          "中身は同じなので、もう一方の名前でファイルは残ります。原因：%3")
        .arg(fromPath, toPath, why);
}

QString ReplacedDuringRenameText(const QString& leftoverPath)
{
    const QString text = QStringLiteral("名前の変更中に、元の名前のファイルがほかのプログラムによって"
                                        "置き換えられたため、名前を変更しませんでした。");
    if (leftoverPath.isEmpty())
        return text;
    return text +
           QStringLiteral("置き換えられる前のバージョンは「%1」の名前で残っています。").arg(leftoverPath);
}

QString NotAtomicText()
{
    return QStringLiteral(
        "このドライブは、上書きを防ぐ方法での名前の変更に対応していないため、変更後の名前が"
        "空いていることを確かめてから名前を変更しました。確かめてから変更するまでの間に、ほかの"
        "プログラムが同じ名前のファイルを作っていなければ、問題はありません。");
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
