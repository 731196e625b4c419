#include "editor/ExchangeFile.h"

#include "core/CommandError.h"
#include "core/SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

QString unwritableReason(const QString& path, const QString& why)
{
    return QStringLiteral("%1 を書き込めませんでした（%2）").arg(QDir::toNativeSeparators(path), why);
}

} // namespace

void WriteExchangeFile(const QString& path, const QStringList& names, bool byteOrderMark)
{
    QByteArray bytes;
    if (byteOrderMark)
        bytes += kByteOrderMark;
    for (qsizetype row = 0; row < names.size(); ++row) {
        const QString& name = names.at(row);
        if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'))) {
            throw CommandError(
                QStringLiteral("%1 行目の名前に改行が含まれているため、エディタで編集できません。"
                               "その行をリストから外してやり直してください")
                    .arg(row + 1));
        }
        bytes += name.toUtf8();
        bytes += "\r\n";
    }

    // Written beside and then put in place, so an editor never sees half a
    // file; a folder that allows no new files still gets the file rewritten.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw CommandError(unwritableReason(path, FileErrorText(file)));
}

ExchangeText ExchangeLinesFromBytes(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {ExchangeText::Status::NotUtf8, {}};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    ExchangeText result{ExchangeText::Status::Ok, {}};
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result.lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        result.lines.append(text.mid(start));
    return result;
}

ExchangeText ReadExchangeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ExchangeLinesFromBytes(file.readAll());
}

std::optional<qint64> ExchangeStamp(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    const QDateTime modified = info.lastModified();
    if (!modified.isValid())
        return std::nullopt;
    return modified.toSecsSinceEpoch();
}
