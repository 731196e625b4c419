#include "core/NameBytes.h"
#include "core/LegacyNames.h"
#include "tests/support/QtPrinters.h"

#include <QUrl>

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// A text with kept bytes written as \xNN: "a\xff" is "a" and U+DCFF.
QString Kept(const char16_t* text)
{
    QString out;
    for (const char16_t* at = text; *at; ++at)
        out += *at == u'~' ? QChar(char16_t(0xDC00 | *++at)) : QChar(*at);
    return out;
}

TEST(NameBytes, KeepEveryByteThatIsNotValidUtf8)
{
    // "~" + one char16_t stands for the kept byte of that value.
    const struct {
        QByteArray bytes;
        QString text;
        bool stray;
    } cases[] = {
        {"plain.txt", QStringLiteral("plain.txt"), false},
        {"\xe5\x86\x99\xe7\x9c\x9f", QStringLiteral("写真"), false},
        {"\xf0\x9f\x98\x80", QStringLiteral("\U0001F600"), false},
        {"\xf0\x90\x82\x80", QStringLiteral("\U00010080"), false}, // its low surrogate is U+DC80
        {"a\xff.txt", Kept(u"a~\xff.txt"), true},
        {"\x83\x65\x83\x58",
         Kept(u"~\x83"
              u"e~\x83X"),
         true},                                                    // CP932 "テス"
        {"\xe5\x86", Kept(u"~\xe5~\x86"), true},                   // cut short
        {"\xc0\xaf", Kept(u"~\xc0~\xaf"), true},                   // overlong "/"
        {"\xed\xa0\x80", Kept(u"~\xed~\xa0~\x80"), true},          // an encoded surrogate
        {"\xf4\x90\x80\x80", Kept(u"~\xf4~\x90~\x80~\x80"), true}, // past U+10FFFF
        {"\xe5\x86\x99\xff", Kept(u"写~\xff"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeFileName(c.bytes), c.text) << c.bytes.toHex().constData();
        EXPECT_EQ(EncodeFileName(c.text), c.bytes) << c.bytes.toHex().constData();
        EXPECT_EQ(HasStrayBytes(c.text), c.stray) << c.bytes.toHex().constData();
    }
    // A lone surrogate that no name read from the system holds has no bytes.
    EXPECT_EQ(EncodeFileName(QString(QChar(0xD800))), QByteArray("\xef\xbf\xbd"));

    QRandomGenerator random(20261208);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes(random.bounded(1, 12), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random.bounded(1, 256));
        ASSERT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << bytes.toHex().constData();
    }
}

TEST(NameBytes, DroppedUrlsKeepTheBytesOfTheirPaths)
{
#ifdef Q_OS_WIN
    // Names are UTF-16 there: a dropped URL never holds bytes of another encoding.
    const QString plain = QStringLiteral("C:/tmp/写 真%.txt");
#else
    EXPECT_EQ(LocalPathOfUrl(QUrl(QStringLiteral("file:///tmp/%83e%FF.txt"))), DecodeFileName("/tmp/\x83"
                                                                                              "e\xff.txt"));
    const QString plain = QStringLiteral("/tmp/写 真%.txt");
#endif
    EXPECT_EQ(LocalPathOfUrl(QUrl::fromLocalFile(plain)), plain);
}

TEST(LegacyNames, ReadCp932AndEucJpAndChooseTheOneThatReadsAsJapanese)
{
    ASSERT_TRUE(CanReadLegacyNames());
    const std::optional<QString> none;
    const struct {
        QByteArray bytes;
        std::optional<QString> automatic, cp932, eucJp;
    } cases[] = {
        {"\x83\x65\x83\x58\x83\x67.txt", QStringLiteral("テスト.txt"), QStringLiteral("テスト.txt"), none},
        {"\xc6\xfc\xcb\xdc\xb8\xec.txt", QStringLiteral("日本語.txt"), none, QStringLiteral("日本語.txt")},
        // Valid in both: EUC-JP hiragana read as CP932 is half-width punctuation.
        {"\xa4\xa2\xa4\xa4\xa4\xa6", QStringLiteral("あいう"), QStringLiteral("､｢､､､ｦ"),
         QStringLiteral("あいう")},
        // Valid in both: CP932 half-width katakana read as EUC-JP is two kanji.
        {"\xb1\xb2\xb3\xb4", QStringLiteral("ｱｲｳｴ"), QStringLiteral("ｱｲｳｴ"), QStringLiteral("渦慨")},
        {"\xff\xfe", none, none, none},                              // neither
        {"abc", none, QStringLiteral("abc"), QStringLiteral("abc")}, // nothing Japanese to choose by
    };
    for (const auto& c : cases) {
        const QByteArray hex = c.bytes.toHex();
        EXPECT_EQ(DecodeLegacyName(c.bytes, LegacyEncoding::Automatic), c.automatic) << hex.constData();
        EXPECT_EQ(DecodeLegacyName(c.bytes, LegacyEncoding::Cp932), c.cp932) << hex.constData();
        EXPECT_EQ(DecodeLegacyName(c.bytes, LegacyEncoding::EucJp), c.eucJp) << hex.constData();
    }
    EXPECT_EQ(ShownName(QStringLiteral("写真.jpg")), QStringLiteral("写真.jpg"));
    EXPECT_EQ(ShownName(DecodeFileName("\x83\x65\x83\x58\x83\x67.txt")), QStringLiteral("テスト.txt"));
    EXPECT_EQ(ShownName(DecodeFileName("a\xff\xfe\xf0\x90\x82\x80")),
              QStringLiteral("a\uFFFD\uFFFD\U00010080"));
}

} // namespace
