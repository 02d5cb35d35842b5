#pragma once

#include <QObject>

#include <functional>
#include <memory>

// The main() of every test program that starts the browser engine, in browsertestmain.cpp: it
// keeps the engine's default profile on loopback and runs every test class of the
// program, which may hold several and so start the engine once for all. Each test file ends with
// THREADLOOM_BROWSER_TEST(TestClass).
using BrowserTestFactory = std::function<std::unique_ptr<QObject>()>;
int registerBrowserTest(const char *name, BrowserTestFactory make);
#define THREADLOOM_BROWSER_TEST(TestClass)                                                                             \
    [[maybe_unused]] static const int TestClass##Registered =                                                          \
        registerBrowserTest(#TestClass, [] { return std::unique_ptr<QObject>(new TestClass); });
