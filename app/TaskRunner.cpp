#include "app/TaskRunner.h"

#include "core/CommandError.h"
#include "core/SystemErrorText.h"

#include <QLocale>
#include <QTimer>

TaskRunner::TaskRunner(QObject* parent)
    : QObject(parent)
{}

void TaskRunner::setSliceTimes(int firstSlice, int laterSlices)
{
    m_firstSlice = firstSlice;
    m_laterSlices = laterSlices;
}

QString TaskRunner::failureText(const std::exception& error)
{
    if (const auto* command = dynamic_cast<const CommandError*>(&error))
        return command->reason();
    return ExceptionText(error);
}

void TaskRunner::run(std::unique_ptr<SlicedTask> task, const QString& label, std::function<void()> finish,
                     TaskStyle style)
{
    Q_ASSERT(!m_task);
    m_task = std::move(task);
    m_label = label;
    m_finish = std::move(finish);
    Q_EMIT busyChanged(true);
    if (style.atOnce) {
        // The window paints the progress and the stop button before the
        // first file is touched.
        Q_EMIT progress(progressText());
        m_stoppable = style.stoppable;
        if (m_stoppable)
            Q_EMIT stoppableChanged(true);
        QTimer::singleShot(0, this, &TaskRunner::nextSlice);
        return;
    }
    bool done = false;
    try {
        done = m_task->runFor(QDeadlineTimer(m_firstSlice, Qt::PreciseTimer));
    } catch (...) {
        end();
        throw;
    }
    if (done) {
        end();
        return;
    }
    Q_EMIT progress(progressText());
    QTimer::singleShot(0, this, &TaskRunner::nextSlice);
}

void TaskRunner::nextSlice()
{
    if (!m_task)
        return;
    try {
        if (!m_task->runFor(QDeadlineTimer(m_laterSlices, Qt::PreciseTimer))) {
            Q_EMIT progress(progressText());
            QTimer::singleShot(0, this, &TaskRunner::nextSlice);
            return;
        }
        end();
    } catch (const std::exception& error) {
        // Told before the task ends, so the message belongs to its command.
        Q_EMIT failed(failureText(error));
        end();
    } catch (...) {
        Q_EMIT failed(QStringLiteral("予期しないエラーのため、処理を中断しました"));
        end();
    }
}

void TaskRunner::stop()
{
    if (!m_task || !std::exchange(m_stoppable, false))
        return;
    Q_EMIT stoppableChanged(false);
    if (m_task->stop())
        Q_EMIT progress(QStringLiteral("中止しています…"));
}

void TaskRunner::end()
{
    if (std::exchange(m_stoppable, false))
        Q_EMIT stoppableChanged(false);
    // The task stays alive while `finish` reads its results.
    const std::unique_ptr<SlicedTask> task = std::move(m_task);
    const std::function<void()> finish = std::exchange(m_finish, {});
    Q_EMIT busyChanged(false);
    if (finish)
        finish();
}

QString TaskRunner::progressText() const
{
    // Digits with thousands separators, as the Japanese interface writes them.
    if (m_task->total() < 0)
        return m_label;
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const QString done = japanese.toString(static_cast<qlonglong>(m_task->done()));
    if (m_task->total() <= 0)
        return QStringLiteral("%1 %2 件").arg(m_label, done);
    return QStringLiteral("%1 %2 / %3")
        .arg(m_label, done, japanese.toString(static_cast<qlonglong>(m_task->total())));
}
