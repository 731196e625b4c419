#include "core/NameText.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char *name, *utf8;
    bool ascii;
};

const TextCase kTexts[] = {
    {"empty", "", true},
    {"ascii", "file_123456.jpg", true},
    {"japanese", "\xe5\x86\x99\xe7\x9c\x9f_001.jpg", false},
    {"surrogate pair", "song \xf0\x9f\x8e\xb5.mp3", false},
    {"ascii prefix of another", "file_123456.jp", true},
};

TEST(NameText, KeepsAndComparesEveryTextLikeAString)
{
    for (const TextCase& c : kTexts) {
        const QString text = QString::fromUtf8(c.utf8);
        const NameText stored = text;
        EXPECT_EQ(stored.toString(), text) << c.name;
        EXPECT_EQ(stored.size(), text.size()) << c.name;
        EXPECT_EQ(stored.isAscii(), c.ascii) << c.name;
        EXPECT_TRUE(stored == text && text == stored && stored == QStringView(text)) << c.name;
        EXPECT_TRUE(stored != text + QLatin1Char('x')) << c.name;
        // Bytes from a listing give the same text as UTF-16 from a path.
        EXPECT_TRUE(NameText(QAnyStringView(QUtf8StringView(c.utf8))) == stored) << c.name;
        QString appended = QStringLiteral("/d/");
        stored.appendTo(appended);
        EXPECT_EQ(appended, QStringLiteral("/d/") + text) << c.name;
        for (const TextCase& other : kTexts)
            EXPECT_EQ(stored == NameText(QString::fromUtf8(other.utf8)), &other == &c)
                << c.name << " vs " << other.name;
    }
}

} // namespace
