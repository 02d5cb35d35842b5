#include "testcontext.h"

#include "loopbackguard.h"
#include "recordingmessageboxes.h"
#include "testenvironment.h"

#include <QCoreApplication>
#include <QEvent>

TestContext::TestContext(const TestEnvironment &places, Browser browser)
    : m_context(setupOn(places, browser, m_boxes))
{
}

TestContext::~TestContext()
{
    // Pages whose windows asked to be deleted go now, before the profile they were made with.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

AppSetup TestContext::setupOn(const TestEnvironment &places, Browser browser, RecordingMessageBoxes *&boxes)
{
    AppSetup setup;
    setup.settingsFile = places.settingsFile();
    setup.dataFolder = places.dataFolder();
    if (browser == Browser::Stored)
        setup.browserFolder = places.browserFolder();
    setup.requestInterceptor = loopbackGuard();
    auto recording = std::make_unique<RecordingMessageBoxes>();
    boxes = recording.get();
    setup.messageBoxes = std::move(recording);
    return setup;
}
