#pragma once

#include "app/appcontext.h"

class RecordingMessageBoxes;
class TestEnvironment;

// A run's context on a test's scratch places: their settings file and data folder, a browser
// profile that reaches loopback only, and message boxes that record what they would have shown.
// Every window made on it must be gone before it.
class TestContext
{
public:
    enum class Browser {
        Throwaway, // keeps nothing: a context's logins are its own
        Stored,    // kept in the places' browser folder, so the next context on them has them
    };

    explicit TestContext(const TestEnvironment &places, Browser browser = Browser::Throwaway);
    ~TestContext();
    TestContext(const TestContext &) = delete;
    TestContext &operator=(const TestContext &) = delete;

    AppContext &context() { return m_context; }
    RecordingMessageBoxes &boxes() const { return *m_boxes; }

private:
    static AppSetup setupOn(const TestEnvironment &places, Browser browser, RecordingMessageBoxes *&boxes);

    RecordingMessageBoxes *m_boxes = nullptr;
    AppContext m_context;
};
