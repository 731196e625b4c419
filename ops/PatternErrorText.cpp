#include "ops/PatternErrorText.h"

#include <QCoreApplication>

namespace {

struct KnownError {
    const char* library; // PCRE2's message, as Qt hands it to its translations
    const char16_t* reason;
};

// The messages of PCRE2 10.x that a typing user meets. Qt passes them through
// its translations (a Japanese Qt translates some of them, not all), so each
// is compared in the form the running Qt gives it.
const KnownError kKnownErrors[] = {
    {"missing closing parenthesis", u"閉じかっこ「)」がありません"},
    {"missing closing parenthesis for condition", u"閉じかっこ「)」がありません"},
    {"missing ) after (?# comment", u"閉じかっこ「)」がありません"},
    {"missing terminating ] for character class", u"閉じかっこ「]」がありません"},
    {"unmatched closing parenthesis", u"対応する開きかっこ「(」のない「)」があります"},
    {"quantifier does not follow a repeatable item",
     u"繰り返しの記号「*」「+」「?」「{}」の前に、繰り返す文字がありません"},
    {"unrecognized character follows \\", u"「\\」のあとに、この組み合わせでは使えない文字があります"},
    {"escape sequence is invalid in character class", u"「[]」の中では使えない「\\」の組み合わせがあります"},
    {"\\ at end of pattern", u"最後が「\\」で終わっています"},
    {"\\c at end of pattern", u"最後が「\\」で終わっています"},
    {"syntax error in subpattern name (missing terminator?)", u"グループ名が正しくありません"},
    {"subpattern name expected", u"グループ名がありません"},
    {"subpattern name must start with a non-digit", u"グループ名が数字で始まっています"},
    {"subpattern name is too long (maximum 32 code units)", u"グループ名が長すぎます"},
    {"two named subpatterns have the same name (PCRE2_DUPNAMES not set)",
     u"同じ名前のグループが二つあります"},
    {"reference to non-existent subpattern", u"存在しないグループを参照しています"},
    {"numbers out of order in {} quantifier", u"「{}」の回数の大小が逆です"},
    {"number too big in {} quantifier", u"「{}」の回数が大きすぎます"},
    {"range out of order in character class", u"「[]」の範囲の始めと終わりが逆です"},
    {"invalid range in character class", u"「[]」の範囲が正しくありません"},
    {"unrecognized character after (? or (?-", u"「(?」のあとの文字が正しくありません"},
    {"lookbehind assertion is not fixed length", u"後読みの長さが決まっていません"},
    {"unknown property after \\P or \\p", u"文字の種類の名前が正しくありません"},
    {"unknown property name after \\P or \\p", u"文字の種類の名前が正しくありません"},
    {"unknown POSIX class name", u"文字クラスの名前が正しくありません"},
};

QString ReasonOf(const QString& libraryText)
{
    for (const KnownError& known : kKnownErrors) {
        if (libraryText == QCoreApplication::translate("QRegularExpression", known.library))
            return QString::fromUtf16(known.reason);
    }
    return QStringLiteral("正規表現として読めない書き方があります");
}

// 「5 文字目」 for the character at `offset`; 「末尾」 past the last one.
QString PlaceOf(const QString& pattern, qsizetype offset)
{
    if (offset < 0 || offset >= pattern.size())
        return QStringLiteral("末尾");
    qsizetype characters = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        if (!pattern.at(i).isLowSurrogate())
            ++characters;
    }
    return QStringLiteral("%1 文字目").arg(characters + 1);
}

} // namespace

QString PatternErrorText(const QRegularExpression& expression)
{
    if (expression.isValid())
        return {};
    return QStringLiteral("%1：%2").arg(PlaceOf(expression.pattern(), expression.patternErrorOffset()),
                                        ReasonOf(expression.errorString()));
}
