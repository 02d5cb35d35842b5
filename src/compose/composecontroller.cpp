#include "compose/composecontroller.h"

#include "app/mainwindow.h"

ComposeController::ComposeController(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
}

void ComposeController::previewMessage()
{
}
void ComposeController::copyMessage()
{
}
void ComposeController::saveMessage()
{
}
void ComposeController::openSavedMessages()
{
}
void ComposeController::openTemplateEditor()
{
}
void ComposeController::newMessage()
{
}
void ComposeController::unloadWindows()
{
}

QString ComposeController::convertMessage(const QString &text) const
{
    return text;
}
