#include "app/helpwindowkeeper.h"

#include "app/helpwindow.h"
#include "core/settings.h"
#include "ui/bringforward.h"
#include "ui/placement.h"

HelpWindowKeeper::~HelpWindowKeeper()
{
    unload();
}

HelpWindow *HelpWindowKeeper::show(QWidget *owner)
{
    if (!m_window) {
        auto *created = new HelpWindow(owner);
        if (!created->load()) {
            delete created;
            return nullptr;
        }
        placeOverOwner(created, owner);
        m_window = created;
    }
    bringForward(m_window, WindowFocus::Leave);
    return m_window;
}

void HelpWindowKeeper::showAtStartup(QWidget *owner)
{
    if (readSetting(Settings::showHelp))
        show(owner);
}

void HelpWindowKeeper::unload()
{
    delete m_window.data();
}

HelpWindow *HelpWindowKeeper::window() const
{
    return m_window;
}
