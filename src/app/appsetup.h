#pragma once

#include "ui/messageboxes.h"

#include <QString>
#include <QWebEngineUrlRequestInterceptor>

#include <memory>

// What a run's context is made on: where the run keeps what it keeps and how it speaks to the
// user. main() asks for the user's own; a test gives scratch places and boxes that record.
struct AppSetup
{
    QString settingsFile;
    QString dataFolder;
    // Where the browser keeps its cookies, storage and cache; empty for a profile that keeps nothing.
    QString browserFolder;
    // Sees every request of the browser's pages, when given.
    std::unique_ptr<QWebEngineUrlRequestInterceptor> requestInterceptor;
    std::unique_ptr<MessageBoxes> messageBoxes;
    bool skinEnabled = false;

    // The settings file and the browser's folder where they have always been, the data folder
    // chooseDataFolder picks beside the running program, real message boxes and the branding's
    // skin switch.
    static AppSetup forUser();
};
