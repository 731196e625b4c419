#include "core/CaseStepName.h"

#include <QCryptographicHash>

QString StrandedTemporaryText(TemporaryStep step, const QString& temporaryName, const QString& why)
{
    const QString what = step == TemporaryStep::CaseChange ? QStringLiteral("大文字と小文字だけの変更")
                                                           : QStringLiteral("名前の入れ替え");
    return QStringLiteral("%1を途中で完了できず、元の名前にも戻せませんでした。"
                          "ファイルはいま一時的な名前「%2」になっています（「.」で始まる名前のため、"
                          "隠しファイルを表示すると見えます）。ファイルマネージャーで、"
                          "この名前を元の名前か変更後の名前に変えてください。原因：%3")
        .arg(what, temporaryName, why);
}

QString CaseStepTemporaryName(const QString& fromName, const QString& toName, int attempt)
{
    // A digest that stays the same across versions and platforms (qHash
    // does not promise that).
    QCryptographicHash digest(QCryptographicHash::Sha1);
    digest.addData(fromName.toUtf8());
    digest.addData(QByteArrayView("\0", 1));
    digest.addData(toName.toUtf8());
    const QByteArray hex = digest.result().toHex().left(10);
    return CaseStepPrefix() + QString::fromLatin1(hex) + QLatin1Char('-') + QString::number(attempt);
}
