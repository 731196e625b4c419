// Every Japanese text in the program's sources, read from its string
// literals: no English words beyond a few names, half-width digits, and
// "%1 行目" / "%1 件" spaced alike everywhere.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Literal {
    // where: file:line
    QString where, text;
};

// String literals, with comments and character literals read past so that
// quotes inside them do not count; literals that only whitespace (and an
// encoding prefix) separate are one text, as the compiler joins them.
QList<Literal> JapaneseLiterals(const QString& file, const QString& source)
{
    static const QRegularExpression token(
        QStringLiteral(R"re("(?:[^"\\\n]|\\.)*"|//[^\n]*|/\*[\s\S]*?\*/|'(?:[^'\\\n]|\\.)')re"));
    static const QRegularExpression japanese(QStringLiteral("[\u3000-\u30FF\u4E00-\u9FFF\uFF00-\uFFEF]"));
    static const QStringList prefixes = {QString(), QStringLiteral("u"), QStringLiteral("u8"),
                                         QStringLiteral("L")};
    QList<Literal> found;
    qsizetype endOfLast = -1;
    for (const QRegularExpressionMatch& m : token.globalMatch(source)) {
        if (!m.captured().startsWith(u'"'))
            continue;
        const QString text = m.captured().mid(1, m.capturedLength() - 2);
        if (endOfLast >= 0 &&
            prefixes.contains(source.mid(endOfLast, m.capturedStart() - endOfLast).trimmed()))
            found.last().text += text;
        else
            found.append(
                {QStringLiteral("%1:%2").arg(file).arg(source.left(m.capturedStart()).count(u'\n') + 1),
                 text});
        endOfLast = m.capturedEnd();
    }
    found.removeIf([](const Literal& l) { return !l.text.contains(japanese); });
    return found;
}

// Texts the program must show as they are although they hold Latin letters
// or full-width digits.
// clang-format off
const QStringList kFixedTexts = {
    QStringLiteral("最前面表示化のON/OFF"), QStringLiteral("アイコン表示のON/OFF"), QStringLiteral("ReadMeを開く(&R)..."),
    QStringLiteral("作者のHPへ(&H)"), QStringLiteral("先頭の１文字のみを大文字に変換"),
    QStringLiteral("先頭の１文字を削除。右クリックで最初の文字から削除"),
    QStringLiteral("末尾の１文字を削除。右クリックで最初の文字から削除"),
};
// clang-format on

QString Problem(QString text)
{
    // Not English: placeholders, access keys, file names, a few names.
    static const QRegularExpression names(QStringLiteral(
        R"(%L?\d+|\(&[A-Z]\)|[\w.*~-]+\.[A-Za-z*]+|Quorvane|libmagic|UTF-8|Shift_JIS|CP932|EUC-JP|NFC|Windows|CON|NUL|COM1|Copyright \(C\))"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]+"));
    static const QRegularExpression wideDigit(QStringLiteral("[０-９]"));
    static const QRegularExpression unspaced(QStringLiteral(R"(%\d+(行目|件)|%\d+  +(行目|件))"));
    if (kFixedTexts.contains(text))
        return {};
    if (wideDigit.match(text).hasMatch())
        return QStringLiteral("full-width digit");
    if (unspaced.match(text).hasMatch())
        return QStringLiteral("\"%1 行目\" and \"%1 件\" take one space");
    if (const auto word = latin.match(text.remove(names)); word.hasMatch())
        return QStringLiteral("English word \"%1\"").arg(word.captured());
    return {};
}

TEST(JapaneseTexts, HoldNoEnglishAndOneStyle)
{
    for (const char* bad : {"書き込めませんでした（Permission denied）", "表示のON/OFF", "%1件", "２件"})
        EXPECT_FALSE(Problem(QString::fromUtf8(bad)).isEmpty()) << bad;

    QList<Literal> texts;
    for (const char* layer : {"core", "ops", "intake", "editor", "platform", "ui"}) {
        QDirIterator files(QStringLiteral(QUORVANE_SOURCE_DIR "/") + QLatin1String(layer),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            texts += JapaneseLiterals(QLatin1String(layer) + u'/' + files.fileName(),
                                      QString::fromUtf8(file.readAll()));
        }
    }
    // The sources were found.
    ASSERT_GT(texts.size(), 150);
    for (const Literal& literal : texts) {
        const QString problem = Problem(literal.text);
        EXPECT_TRUE(problem.isEmpty()) << literal.where.toStdString() << ": " << problem.toStdString()
                                       << "\n  " << literal.text.toStdString();
    }
}

} // namespace
