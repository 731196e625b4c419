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
