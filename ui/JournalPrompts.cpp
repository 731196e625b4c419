#include "ui/JournalPrompts.h"

#include "app/RenameSession.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox* OpenBox(QWidget* owner, QMessageBox::Icon icon, const char* name, const QString& text,
                     const QString& details)
{
    auto* box = new QMessageBox(icon, QStringLiteral("Quorvane"), text, QMessageBox::NoButton, owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

// Paths one a line, each in 「」.
QString QuotedLines(const QStringList& paths)
{
    QStringList lines;
    for (const QString& path : paths)
        lines.append(QStringLiteral("「%1」").arg(QDir::toNativeSeparators(path)));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString KeepQuotedTogether(const QString& text)
{
    constexpr qsizetype kLongest = 20; // a path may break where it must
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text.at(i) == QChar(0x300C) ? text.indexOf(QChar(0x300D), i) : -1;
        if (close < 0 || close - i > kLongest) {
            out += text.at(i);
            continue;
        }
        for (qsizetype j = i; j <= close; ++j) {
            if (j > i && !text.at(j).isLowSurrogate())
                out += QChar(0x2060);
            out += text.at(j);
        }
        i = close;
    }
    return out;
}

JournalPrompts::JournalPrompts(RenameSession& session, QWidget* window)
    : QObject(window)
    , m_session(session)
    , m_window(window)
{
    connect(&session, &RenameSession::journalUnwritable, this, &JournalPrompts::askToRenameWithoutJournal);
    connect(&session, &RenameSession::recoveryQuestion, this, &JournalPrompts::askRecovery);
    connect(&session, &RenameSession::setAsideFound, this, &JournalPrompts::showSetAside);
}

void JournalPrompts::askToRenameWithoutJournal(RenameWalkKind kind, const QString& problem)
{
    // An undo is journaled as a rename is, and asked about in its own words.
    const bool undo = kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected;
    QMessageBox* box = OpenBox(
        m_window, QMessageBox::Warning, "journalUnwritable",
        undo ? QStringLiteral("リネーム履歴を保存できないため、元に戻しませんでした。")
             : QStringLiteral("リネーム履歴を保存できないため、リネームしませんでした。"),
        QStringLiteral("理由：%1\n\n").arg(problem) +
            (undo ? QStringLiteral("履歴なしで元に戻すと、途中で異常終了したときに、どのファイルを元に戻した"
                                   "のかが記録に残りません。空き容量や書き込み権限を確かめてから、"
                                   "もう一度元に戻してください。このまま履歴なしで元に戻しますか？")
                  : QStringLiteral("履歴なしでリネームすると、途中で異常終了したときに元に戻す手段がなく、"
                                   "リネーム履歴からも元に戻せません。空き容量や書き込み権限を確かめてから、"
                                   "もう一度リネームしてください。このまま履歴なしでリネームしますか？")));
    QPushButton* goOn =
        box->addButton(undo ? QStringLiteral("履歴なしで元に戻す") : QStringLiteral("履歴なしでリネーム"),
                       QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole));
    connect(box, &QDialog::finished, this, [this, box, goOn, kind] {
        if (box->clickedButton() == goOn)
            m_session.renameWithoutJournal(kind);
    });
    box->open();
}

void JournalPrompts::askRecovery(const QString& batchId, const QString& text, const QString& details)
{
    QMessageBox* box =
        OpenBox(m_window, QMessageBox::Question, "journalRecovery", text, KeepQuotedTogether(details));
    QPushButton* putBack = box->addButton(QStringLiteral("元に戻す"), QMessageBox::YesRole);
    // Also what Escape and closing the box answer: keeping is what the
    // history can still undo.
    box->addButton(QStringLiteral("そのままにする"), QMessageBox::NoRole);
    box->setDefaultButton(putBack);
    connect(box, &QDialog::finished, this, [this, box, putBack, batchId] {
        m_session.answerRecovery(batchId, box->clickedButton() == putBack);
    });
    box->open();
}

void JournalPrompts::showSetAside(const QStringList& paths)
{
    QMessageBox* box =
        OpenBox(m_window, QMessageBox::Warning, "journalSetAside",
                QStringLiteral("読み取れないリネーム履歴がありました。"),
                QStringLiteral("壊れているか、ほかのバージョンの Quorvane で書かれているため使いません。"
                               "その回はリネーム履歴から元に戻せません。次の名前で残してあります。"
                               "要らなければ削除してください。") +
                    QLatin1Char('\n') + QuotedLines(paths));
    box->setStandardButtons(QMessageBox::Ok);
    connect(box, &QDialog::finished, &m_session, &RenameSession::setAsideSeen);
    box->open();
}
