#include "ui/RenameReportDialog.h"

#include "core/FailingRows.h"
#include "core/RenameWalk.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// About fifty Japanese characters a line: wide enough for a path, narrow
// enough to read.
constexpr int kLineCharacters = 50;

} // namespace

void RenameReportDialog::openFor(const RenameReport& report, QWidget* parent)
{
    if (RenameReportSummary(report).isEmpty())
        return;
    auto* dialog = new RenameReportDialog(report, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

RenameReportDialog::RenameReportDialog(const RenameReport& report, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("renameReport"));
    setWindowTitle(QStringLiteral("Quorvane"));

    const bool failed = !report.failures.isEmpty() || report.stopped;
    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(
        style()
            ->standardIcon(failed ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation, nullptr,
                           this)
            .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* summary = new QLabel(RenameReportSummary(report), this);
    summary->setObjectName(QStringLiteral("renameReportSummary"));
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_rows = new QTextEdit(this);
    m_rows->setObjectName(QStringLiteral("renameReportRows"));
    m_rows->setReadOnly(true);
    m_rows->setLineWrapMode(QTextEdit::WidgetWidth);
    m_rows->setAccessibleName(QStringLiteral("リネームの結果の一覧"));
    fillRows(report);
    // A walk stopped without a failure has only its summary to tell.
    m_rows->setVisible(!report.failures.isEmpty() || !report.notes.isEmpty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(summary);
    text->addWidget(m_rows, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    buttons->button(QDialogButtonBox::Ok)->setFocus();
    fitToScreen();
}

void RenameReportDialog::fillRows(const RenameReport& report)
{
    // Each reason once, its files indented below it; a file name that wraps
    // stays indented.
    const int indent = 2 * fontMetrics().horizontalAdvance(QChar(0x3042));
    QTextBlockFormat heading;
    heading.setTopMargin(fontMetrics().height() / 2.0);
    QTextBlockFormat row;
    row.setLeftMargin(indent);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);

    QTextCursor cursor(m_rows->document());
    bool first = true;
    auto addBlock = [&](const QTextBlockFormat& format, const QTextCharFormat& chars, const QString& line) {
        if (first)
            cursor.setBlockFormat(format);
        else
            cursor.insertBlock(format);
        first = false;
        cursor.insertText(line, chars);
    };
    const QString folder = ReportFolder(report);
    if (!folder.isEmpty())
        addBlock(QTextBlockFormat(), plain, ReportFolderLine(folder));
    auto addRows = [&](const QList<RenameRowResult>& rows) {
        for (const ReasonGroup& group : GroupByReason(rows)) {
            addBlock(heading, bold, ReasonHeading(group));
            for (const RenameRowResult& result : group.rows)
                addBlock(row, plain, ReportRowText(result, folder));
        }
    };
    const bool both = !report.failures.isEmpty() && !report.notes.isEmpty();
    if (both)
        addBlock(heading, bold, FailedRowsTitle(report.failures.size(), report.undo));
    addRows(report.failures);
    if (both)
        addBlock(heading, bold, NotedRowsTitle(report.notes.size()));
    addRows(report.notes);
    m_rows->moveCursor(QTextCursor::Start);
}

void RenameReportDialog::fitToScreen()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : this->screen();
    const QRect available = screen->availableGeometry();
    // Room for the window frame the window manager adds around the dialog.
    const int frame = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 8;
    const int margin = fontMetrics().height();

    const int width = std::min(available.width() - 2 * margin,
                               kLineCharacters * fontMetrics().horizontalAdvance(QChar(0x3042)));
    layout()->activate();
    const int chrome = sizeHint().height() - m_rows->sizeHint().height();
    const int viewWidth = width - (sizeHint().width() - m_rows->sizeHint().width());
    // The view lays its own document out only once shown; a copy tells now
    // how tall the rows are at the width they will get.
    const std::unique_ptr<QTextDocument> probe(m_rows->document()->clone());
    probe->setDefaultFont(m_rows->font());
    probe->setTextWidth(viewWidth - 2 * m_rows->frameWidth() -
                        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    const int rowsHeight = static_cast<int>(probe->size().height()) + 2 * m_rows->frameWidth();
    const int height = std::min(chrome + rowsHeight, available.height() - frame - margin);
    resize(width, height);

    // Over the middle of the window, but never beyond the screen's edges.
    QRect placed(QPoint(), QSize(width, height));
    placed.moveCenter(owner ? owner->frameGeometry().center() : available.center());
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() - width));
    placed.moveTop(std::clamp(placed.top(), available.top() + frame, available.bottom() - height));
    move(placed.topLeft());
}
