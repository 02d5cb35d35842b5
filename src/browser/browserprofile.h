#pragma once

#include <QString>

class QWebEngineProfile;
class QWebEngineUrlRequestInterceptor;

// The one browser profile every page of the program uses, so a forum login made in the main
// window holds in the secondary window and in pop-ups too. It keeps cookies (session cookies
// included: a forum's login usually is one), local storage and the cache under
// <per-user data folder>/browser, so they survive a restart.
QWebEngineProfile *browserProfile();

// Where the profile keeps what it stores.
QString browserProfileFolder();

// Deletes the profile. Every page made with it must be gone by then.
void releaseBrowserProfile();

// Tests: an off-the-record profile, forgotten when released, so tests stay independent. Takes
// effect for the next profile made (after releaseBrowserProfile()).
void useThrowawayBrowserProfile(bool throwaway);

// Tests: every request of the current profile and of every one made later goes through
// interceptor (which keeps the engine on loopback).
void setBrowserRequestInterceptor(QWebEngineUrlRequestInterceptor *interceptor);
