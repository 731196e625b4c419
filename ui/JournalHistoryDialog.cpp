#include "ui/JournalHistoryDialog.h"

#include "app/RenameSession.h"
#include "ui/JournalPrompts.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString StartedText(const JournalBatch& header)
{
    return header.started.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

// The files a put-back of the batch would take; all planned ones while that
// is not known.
int FilesLeft(const JournalBatch& header)
{
    const int left = header.leftToPutBack();
    return left < 0 ? header.rowCount : left;
}

} // namespace

JournalHistoryDialog::JournalHistoryDialog(RenameSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("historyDialog"));
    setWindowTitle(QStringLiteral("リネーム履歴"));

    m_caption = new QLabel(this);
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("historyList"));
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setHeaderLabels({QStringLiteral("日時"), QStringLiteral("操作"), QStringLiteral("フォルダ"),
                              QStringLiteral("件数"), QStringLiteral("状態")});
    m_table->setAccessibleName(QStringLiteral("リネーム履歴"));
    // The folder takes the room the other columns leave; a long one loses
    // its middle, where paths differ least.
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_table->header()->setStretchLastSection(false);
    for (int column : {0, 1, 3, 4})
        m_table->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_table->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_caption->setBuddy(m_table);

    // What the put-back does while it runs, and what it did.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("historyStatus"));
    m_stop = new QPushButton(QStringLiteral("中止"), this);
    m_stop->setObjectName(QStringLiteral("historyStopButton"));
    m_stop->setAutoDefault(false);
    m_stop->hide();
    m_putBack = new QPushButton(QStringLiteral("元に戻す"), this);
    m_putBack->setObjectName(QStringLiteral("putBackButton"));
    m_putBack->setAutoDefault(false);
    m_putBack->setDefault(true); // Enter puts the selected batch's names back
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_putBack);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(760, 360);

    connect(m_table, &QTreeWidget::currentItemChanged, this, &JournalHistoryDialog::updateButton);
    connect(m_putBack, &QPushButton::clicked, this, [this] {
        const int index = chosenIndex();
        if (index >= 0 && canPutBack(m_batches.at(index)) && !m_busy)
            askAndPutBack(m_batches.at(index));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_stop, &QPushButton::clicked, &m_session, &RenameSession::stopTask);
    connect(&m_session, &RenameSession::stoppableChanged, m_stop, &QWidget::setVisible);
    connect(&m_session, &RenameSession::statusChanged, m_status, &QLabel::setText);
    connect(&m_session, &RenameSession::busyChanged, this, &JournalHistoryDialog::showBusy);
}

QString JournalHistoryDialog::walkText(const JournalBatch& header)
{
    switch (header.walk) {
    case RenameWalkKind::All:
        return header.throughEditor ? QStringLiteral("エディタでリネーム") : QStringLiteral("リネーム");
    case RenameWalkKind::UndoAll:
        return QStringLiteral("元に戻す");
    case RenameWalkKind::Selected:
        return QStringLiteral("選択ファイルのみリネーム");
    case RenameWalkKind::UndoSelected:
        break;
    }
    return QStringLiteral("選択ファイルのみ元に戻す");
}

QString JournalHistoryDialog::countText(const JournalBatch& header)
{
    // The files the walk really renamed; of a walk whose results are not
    // known (it runs, or was cut short and not settled yet), the plan.
    if (header.renamedCount >= 0)
        return QStringLiteral("%1 件").arg(GroupedNumber(header.renamedCount));
    if (header.state == JournalState::Undone)
        return QStringLiteral("不明");
    return QStringLiteral("予定 %1 件").arg(GroupedNumber(header.rowCount));
}

QString JournalHistoryDialog::stateText(const JournalSummary& batch)
{
    if (batch.running)
        return QStringLiteral("実行中");
    switch (batch.header.state) {
    case JournalState::Done:
        return batch.header.interrupted ? QStringLiteral("中断") : QStringLiteral("完了");
    case JournalState::PartlyUndone:
        return QStringLiteral("一部を元に戻し済み（%1 件）").arg(GroupedNumber(batch.header.putBackCount));
    case JournalState::Undone:
        return QStringLiteral("元に戻し済み");
    case JournalState::Open:
    case JournalState::Undoing:
        break;
    }
    return QStringLiteral("中断");
}

bool JournalHistoryDialog::canPutBack(const JournalSummary& batch)
{
    return !batch.running && batch.header.state != JournalState::Undone && batch.header.leftToPutBack() != 0;
}

int JournalHistoryDialog::chosenIndex() const
{
    QTreeWidgetItem* item = m_table->currentItem();
    return item ? m_table->indexOfTopLevelItem(item) : -1;
}

void JournalHistoryDialog::setBatches(const QList<JournalSummary>& batches)
{
    const int chosen = chosenIndex();
    const QString chosenId = chosen >= 0 ? m_batches.at(chosen).id : QString();
    m_batches = batches;
    m_table->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const JournalSummary& batch : batches) {
        const JournalBatch& header = batch.header;
        QString folder = QDir::toNativeSeparators(header.firstFolder);
        if (header.folderCount > 1)
            folder += QStringLiteral("（ほか %1 フォルダ）").arg(header.folderCount - 1);
        auto* item = new QTreeWidgetItem(
            m_table, {StartedText(header), walkText(header), folder, countText(header), stateText(batch)});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(2, folder);
        if (header.renamedCount >= 0)
            item->setToolTip(3, QStringLiteral("%1 件のうち %2 件の名前を変更しました。")
                                    .arg(GroupedNumber(header.rowCount), GroupedNumber(header.renamedCount)));
        if (batch.id == chosenId)
            keep = item;
    }
    m_caption->setText(batches.isEmpty()
                           ? QStringLiteral("リネーム履歴はまだありません。")
                           : QStringLiteral("元に戻すリネームを選んで「元に戻す」を押してください。"));
    m_table->setCurrentItem(keep ? keep : m_table->topLevelItem(0));
    updateButton();
}

void JournalHistoryDialog::updateButton()
{
    const int index = chosenIndex();
    m_putBack->setEnabled(!m_busy && index >= 0 && canPutBack(m_batches.at(index)));
}

void JournalHistoryDialog::showBusy(bool busy)
{
    m_busy = busy;
    m_table->setEnabled(!busy);
    updateButton();
}

// A later batch that still stands over the same files comes first, when the
// user wants it; a put-back of many files is confirmed. One question at most.
void JournalHistoryDialog::askAndPutBack(const JournalSummary& batch)
{
    const QList<JournalSummary> later = m_session.laterBatchesInTheWay(batch.id);
    int files = FilesLeft(batch.header);
    QStringList laterLines;
    QStringList order;
    for (const JournalSummary& other : later) {
        files += FilesLeft(other.header);
        laterLines.append(
            QStringLiteral("%1　%2　%3")
                .arg(StartedText(other.header), walkText(other.header), countText(other.header)));
        order.append(other.id);
    }
    order.append(batch.id);
    if (later.isEmpty() && files <= kAskAbove) {
        m_session.putBack(batch.id);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Quorvane"), QString(),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("putBackQuestion"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* laterFirst = nullptr;
    QPushButton* chosenOnly = nullptr;
    if (later.isEmpty()) {
        box->setText(QStringLiteral("%1 件のファイルの名前を元に戻します。")
                         .arg(GroupedNumber(FilesLeft(batch.header))));
        box->setInformativeText(
            KeepQuotedTogether(QStringLiteral("%1 の「%2」を元に戻しますか？")
                                   .arg(StartedText(batch.header), walkText(batch.header))));
        chosenOnly = box->addButton(QStringLiteral("元に戻す"), QMessageBox::AcceptRole);
    } else {
        box->setText(QStringLiteral("このリネームの後に、同じファイルの名前を変えたリネームがあります。"));
        const QStringList details = {
            QStringLiteral("次のリネームを先に元に戻さないと、そのファイルは元に戻せません。"),
            laterLines.join(QLatin1Char('\n')),
            QString(),
            QStringLiteral("新しいリネームから順に元に戻しますか？合わせて %1 件のファイルが対象です。")
                .arg(GroupedNumber(files)),
        };
        box->setInformativeText(KeepQuotedTogether(details.join(QLatin1Char('\n'))));
        laterFirst =
            box->addButton(QStringLiteral("新しいリネームから順に元に戻す"), QMessageBox::AcceptRole);
        chosenOnly = box->addButton(QStringLiteral("選んだリネームだけ元に戻す"), QMessageBox::AcceptRole);
    }
    box->setDefaultButton(laterFirst ? laterFirst : chosenOnly);
    box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    connect(box, &QDialog::finished, this, [this, box, laterFirst, chosenOnly, order, id = batch.id] {
        if (laterFirst && box->clickedButton() == laterFirst)
            m_session.putBackInOrder(order);
        else if (box->clickedButton() == chosenOnly)
            m_session.putBack(id);
    });
    box->open();
}
