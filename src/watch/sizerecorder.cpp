#include "watch/sizerecorder.h"

#include "watch/watchedpostlist.h"

SizeRecorder::SizeRecorder(WatchedPostList &posts, QObject *parent)
    : QObject(parent)
    , m_posts(posts)
{
    connect(&m_probe, &PageSizeProbe::finished, this, &SizeRecorder::onFinished);
    connect(&m_probe, &PageSizeProbe::failed, this, &SizeRecorder::onFailed);
}

void SizeRecorder::measure(const QString &url)
{
    // The measurement already under way or waiting will give this page's current size.
    if ((m_probe.isRunning() && m_probe.url() == url) || m_queue.contains(url))
        return;
    m_queue.append(url);
    if (!m_probe.isRunning())
        startNext();
}

void SizeRecorder::onFinished(qint64 size)
{
    const QString url = m_probe.url();
    m_posts.recordMeasurement(url, m_probe.measurement());
    Q_EMIT recorded(url, size);
    startNext();
}

void SizeRecorder::onFailed(const QString &boxText)
{
    Q_EMIT failed(boxText);
    startNext();
}

void SizeRecorder::startNext()
{
    if (m_queue.isEmpty() || m_probe.isRunning())
        return;
    m_probe.start(m_queue.takeFirst());
}
