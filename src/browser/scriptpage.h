#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>

// What the controllers need of a web page: run a script in the page and get its result back
// later, know the page's address, and hear when a load has finished. The browser's page
// implements it (EngineScriptPage); tests put a fake in its place, so the rules around page
// scripts are tested without starting the browser engine.
class ScriptPage : public QObject
{
    Q_OBJECT
public:
    using ScriptResult = std::function<void(const QVariant &result)>;

    using QObject::QObject;

    // Runs script in a world of its own, apart from the page's scripts. done is called once with
    // the script's result, an invalid QVariant when the page gave none; never when the page is
    // gone first.
    virtual void runScript(const QString &script, ScriptResult done) = 0;
    virtual QUrl pageUrl() const = 0;
    // Gives the page the keyboard focus, as a person's click into it would: an editor hears that
    // it has the focus only while its page has it. Pages that cannot take it ignore this.
    virtual void focusPage() {}

Q_SIGNALS:
    void loadFinished(bool ok);
};
