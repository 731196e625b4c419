// Every Japanese text in the program's sources, read as the compiler would
// see its string literals: no English words beyond a few names, half-width
// digits, and "%1 行目" / "%1 件" spaced alike everywhere.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct Literal {
    QString where; // file:line
    QString text;
};

bool IsJapanese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// The string literals of one source file; literals that only whitespace
// separates are one text, as the compiler joins them.
bool IsDigitSeparator(const QString& source, qsizetype i)
{
    static const QString hex = QStringLiteral("0123456789abcdefABCDEF");
    return i > 0 && hex.contains(source.at(i - 1)) && source.at(i + 2) != u'\'' && source.at(i + 1) != u'\\';
}

// The string literals of one source file; literals that only whitespace (and
// an encoding prefix) separate are one text, as the compiler joins them.
QList<Literal> StringLiterals(const QString& file, const QString& source)
{
    static const QStringList prefixes = {{}, QStringLiteral("u"), QStringLiteral("u8"), QStringLiteral("L")};
    QList<Literal> found;
    int line = 1;
    qsizetype endOfLast = -1;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == u'\n') {
            ++line;
        } else if (source.mid(i, 2) == u"//") {
            i = source.indexOf(u'\n', i) - 1;
            if (i < 0)
                break;
        } else if (source.mid(i, 2) == u"/*") {
            const qsizetype end = source.indexOf(u"*/", i + 2);
            line += static_cast<int>(source.mid(i, end - i).count(u'\n'));
            i = end + 1;
        } else if (c == u'\'' && !IsDigitSeparator(source, i)) {
            i = source.indexOf(u'\'', source.at(i + 1) == u'\\' ? i + 3 : i + 2);
        } else if (c == u'"') {
            const qsizetype start = i;
            QString text;
            for (++i; source.at(i) != u'"'; ++i) {
                if (source.at(i) == u'\\')
                    ++i; // the escaped character stands for itself here
                text += source.at(i);
            }
            const bool joined =
                endOfLast >= 0 && prefixes.contains(source.mid(endOfLast, start - endOfLast).trimmed());
            if (joined)
                found.last().text += text;
            else
                found.append({QStringLiteral("%1:%2").arg(file).arg(line), text});
            endOfLast = i + 1;
        }
    }
    return found;
}

// Texts the program must show as they are although they hold Latin letters
// or full-width digits.
const QStringList kFixedTexts = {
    QStringLiteral("最前面表示化のON/OFF"),
    QStringLiteral("アイコン表示のON/OFF"),
    QStringLiteral("ReadMeを開く(&R)..."),
    QStringLiteral("作者のHPへ(&H)"),
    QStringLiteral("先頭の１文字のみを大文字に変換"),
    QStringLiteral("先頭の１文字を削除。右クリックで最初の文字から削除"),
    QStringLiteral("末尾の１文字を削除。右クリックで最初の文字から削除"),
};

// What the check is not about: placeholders, access keys, file names and a
// few names that have no Japanese form.
QString WithoutNames(QString text)
{
    static const QRegularExpression skipped(QStringLiteral(
        R"(%L?\d+|\(&[A-Z]\)|[\w.*~-]+\.[A-Za-z*]+|Quorvane|libmagic|UTF-8|Windows|CON|NUL|COM1|Copyright \(C\))"));
    return text.remove(skipped);
}

QString Problem(const QString& text)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]+"));
    static const QRegularExpression wideDigit(QStringLiteral("[０-９]"));
    static const QRegularExpression unspaced(QStringLiteral(R"(%\d+(行目|件)|%\d+  +(行目|件))"));
    if (kFixedTexts.contains(text))
        return {};
    if (const auto word = latin.match(WithoutNames(text)); word.hasMatch())
        return QStringLiteral("English word \"%1\"").arg(word.captured());
    if (wideDigit.match(text).hasMatch())
        return QStringLiteral("full-width digit");
    if (unspaced.match(text).hasMatch())
        return QStringLiteral("\"%1 行目\" and \"%1 件\" take one space");
    return {};
}

TEST(JapaneseTexts, HoldNoEnglishAndOneStyle)
{
    QList<Literal> texts;
    for (const char* layer : {"core", "ops", "intake", "editor", "platform", "ui"}) {
        QDirIterator files(QStringLiteral(QUORVANE_SOURCE_DIR "/") + QLatin1String(layer),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            for (const Literal& literal : StringLiterals(QLatin1String(layer) + u'/' + files.fileName(),
                                                         QString::fromUtf8(file.readAll()))) {
                if (std::any_of(literal.text.cbegin(), literal.text.cend(), IsJapanese))
                    texts.append(literal);
            }
        }
    }
    // The reasons of a failed rename are among them, so the sources were found.
    ASSERT_GT(texts.size(), 150);
    ASSERT_TRUE(std::any_of(texts.cbegin(), texts.cend(), [](const Literal& l) {
        return l.text.startsWith(QStringLiteral("変更後の名前の"));
    }));
    const bool list = qEnvironmentVariableIsSet("QUORVANE_LIST_TEXTS"); // prints them all for a review
    for (const Literal& literal : texts) {
        if (list)
            std::printf("%s\t%s\n", qPrintable(literal.where), qPrintable(literal.text));
        const QString problem = Problem(literal.text);
        EXPECT_TRUE(problem.isEmpty()) << literal.where.toStdString() << ": " << problem.toStdString()
                                       << "\n  " << literal.text.toStdString();
    }
}

TEST(JapaneseTexts, CheckCatchesWhatItIsFor)
{
    const struct {
        const char* text;
        bool passes;
    } cases[] = {
        {"%1 を書き込めませんでした（アクセスする権限がありません）", true},
        {"%1 を書き込めませんでした（Permission denied）", false},
        {"ReName.txt が UTF-8 で保存されていません", true},
        {"Quorvaneを終了します", true},
        {"エディタを起動できませんでした（No program defined）", false},
        {"２件", false},
        {"%1件", false},
        {"%1 行目", true},
        {"最前面表示化のON/OFF", true},
        {"表示のON/OFF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Problem(QString::fromUtf8(c.text)).isEmpty(), c.passes) << c.text;
}

} // namespace
