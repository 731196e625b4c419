#pragma once
// What a Japanese text the program shows must not hold: English words beyond
// a few names and commands, full-width digits, "%1 行目" / "%1 件" spaced
// otherwise than the rest, full-width parentheses inside each other. The
// system's own words may follow "詳細：" only.

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Texts the program must show as they are although they hold Latin letters
// or full-width digits.
// clang-format off
inline const QStringList kFixedJapaneseTexts = {
    QStringLiteral("最前面表示化のON/OFF"), QStringLiteral("アイコン表示のON/OFF"), QStringLiteral("ReadMeを開く(&R)..."),
    QStringLiteral("作者のHPへ(&H)"), QStringLiteral("先頭の１文字のみを大文字に変換"),
    QStringLiteral("先頭の１文字を削除。右クリックで最初の文字から削除"),
    QStringLiteral("末尾の１文字を削除。右クリックで最初の文字から削除"),
};
// clang-format on

// Empty when `text` is fine, otherwise what is wrong with it.
inline QString JapaneseStyleProblem(QString text)
{
    // Not English: placeholders, access keys, file names and paths (with "/",
    // or "\" and a drive letter as Windows writes them), a few names and the
    // commands a remedy asks the user to run.
    static const QRegularExpression names(QStringLiteral(
        R"(%L?\d+|\\[nrt]|\.~qv\w*|chattr(?: [+-][ai])+|\(&[A-Z]\)|[\w.*~-]+\.[A-Za-z*]+|(?:[A-Za-z]:)?[/\\][\w./\\~-]*|Quorvane|libmagic-mgc|libmagic|UTF-8|Shift_JIS|CP932|EUC-JP|NFC|)"
        R"(Windows|FAT|NTFS|CON|NUL|COM1|Copyright \(C\)|Debian|sudo|apt|install|chattr|lsattr|chmod|QUORVANE_CONFIG_DIR)"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]+"));
    static const QRegularExpression wideDigit(QStringLiteral("[０-９]"));
    static const QRegularExpression unspaced(QStringLiteral(R"((%\d+|\d)(行目|件)|(%\d+|\d)  +(行目|件))"));
    static const QRegularExpression nested(QStringLiteral("（[^）]*（"));
    if (kFixedJapaneseTexts.contains(text))
        return {};
    if (const qsizetype detail = text.indexOf(QStringLiteral("詳細：")); detail >= 0)
        text.truncate(detail);
    if (wideDigit.match(text).hasMatch())
        return QStringLiteral("full-width digit");
    if (unspaced.match(text).hasMatch())
        return QStringLiteral("\"%1 行目\" and \"%1 件\" take one space");
    if (nested.match(text).hasMatch())
        return QStringLiteral("（ inside （");
    if (const auto word = latin.match(text.remove(names)); word.hasMatch())
        return QStringLiteral("English word \"%1\"").arg(word.captured());
    return {};
}
