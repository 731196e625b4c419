#include "core/CaseStepName.h"

#include <QCryptographicHash>

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
