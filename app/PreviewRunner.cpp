#include "app/PreviewRunner.h"

#include "core/FreeLater.h"

#include <QThread>

PreviewRunner::PreviewRunner(QObject* parent)
    : QObject(parent)
{}

PreviewRunner::~PreviewRunner()
{
    cancel();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void PreviewRunner::start(const QList<RenameEntry>& rows, FolderRules& rules, bool throughTemporaryNames)
{
    Job job{rows, &rules, throughTemporaryNames, ++m_generation};
    if (m_thread) {
        m_stop->store(true, std::memory_order_relaxed);
        m_waiting = std::move(job);
        return;
    }
    launch(std::move(job));
}

void PreviewRunner::cancel()
{
    ++m_generation;
    m_waiting.reset();
    if (m_stop)
        m_stop->store(true, std::memory_order_relaxed);
}

void PreviewRunner::launch(Job job)
{
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_thread = QThread::create([this, job = std::move(job), stop = m_stop] {
        // What the command before freed goes back to the system before the
        // table of every name is made: the peak of a million rows is here.
        ReturnFreedMemory();
        RenamePreview preview;
        {
            RenameList snapshot;
            snapshot.appendAll(job.rows);
            preview = PreviewRenameAll(snapshot, *job.rules, job.throughTemporaryNames, stop.get());
        }
        ReturnFreedMemory(); // the tables of every name the folders hold
        if (stop->load(std::memory_order_relaxed))
            return;
        // Told on the runner's own thread, and only if nothing started since.
        QMetaObject::invokeMethod(
            this,
            [this, generation = job.generation, preview = std::move(preview)] {
                if (generation == m_generation)
                    Q_EMIT finished(preview);
            },
            Qt::QueuedConnection);
    });
    m_thread->setObjectName(QStringLiteral("preview"));
    connect(m_thread, &QThread::finished, this, &PreviewRunner::threadEnded);
    m_thread->start(QThread::LowPriority);
}

void PreviewRunner::threadEnded()
{
    delete std::exchange(m_thread, nullptr);
    if (m_waiting)
        launch(*std::exchange(m_waiting, std::nullopt));
}
