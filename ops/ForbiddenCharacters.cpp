#include "ops/ForbiddenCharacters.h"

QString ReplaceForbiddenCharacters(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'<':
            result += QLatin1Char('(');
            break;
        case u'>':
            result += QLatin1Char(')');
            break;
        case u'\\':
        case u'/':
        case u'|':
            result += QLatin1Char('_');
            break;
        case u':':
            result += QLatin1Char(';');
            break;
        case u'*':
        case u'?':
            break;
        case u'"':
            result += QLatin1Char('\'');
            break;
        default:
            result += ch;
        }
    }
    return result;
}

QString CleanGeneratedText(const QString& text)
{
    QString result = ReplaceForbiddenCharacters(text);
    result.removeIf([](QChar ch) {
        const QChar::Category category = ch.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
    return result;
}
