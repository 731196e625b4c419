#include "ui/JournalHistoryDialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

JournalHistoryDialog::JournalHistoryDialog(QWidget* parent)
    : QDialog(parent)
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

    m_putBack = new QPushButton(QStringLiteral("元に戻す"), this);
    m_putBack->setObjectName(QStringLiteral("putBackButton"));
    m_putBack->setAutoDefault(false);
    m_putBack->setDefault(true); // Enter puts the selected batch's names back
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_putBack);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(720, 360);

    connect(m_table, &QTreeWidget::currentItemChanged, this, &JournalHistoryDialog::updateButton);
    connect(m_putBack, &QPushButton::clicked, this, [this] {
        const int index = chosenIndex();
        if (index >= 0 && canPutBack(m_batches.at(index)))
            Q_EMIT putBackRequested(m_batches.at(index).id);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString JournalHistoryDialog::walkText(RenameWalkKind walk)
{
    switch (walk) {
    case RenameWalkKind::All:
        return QStringLiteral("リネーム");
    case RenameWalkKind::UndoAll:
        return QStringLiteral("元に戻す");
    case RenameWalkKind::Selected:
        return QStringLiteral("選択ファイルのみリネーム");
    case RenameWalkKind::UndoSelected:
        break;
    }
    return QStringLiteral("選択ファイルのみ元に戻す");
}

QString JournalHistoryDialog::stateText(const JournalSummary& batch)
{
    if (batch.running)
        return QStringLiteral("実行中");
    switch (batch.header.state) {
    case JournalState::Done:
        return batch.header.interrupted ? QStringLiteral("中断") : QStringLiteral("完了");
    case JournalState::Undone:
        return QStringLiteral("元に戻しました");
    case JournalState::Open:
    case JournalState::Undoing:
        break;
    }
    return QStringLiteral("中断");
}

bool JournalHistoryDialog::canPutBack(const JournalSummary& batch)
{
    return !batch.running && batch.header.state != JournalState::Undone;
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
            m_table,
            {header.started.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
             walkText(header.walk), folder, QStringLiteral("%1 件").arg(header.rowCount), stateText(batch)});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(2, folder);
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
    m_putBack->setEnabled(index >= 0 && canPutBack(m_batches.at(index)));
}
