#include "app/helpwindowkeeper.h"

#include "app/helpwindow.h"
#include "core/settingsstore.h"
#include "ui/bringforward.h"
#include "ui/placement.h"

HelpWindowKeeper::HelpWindowKeeper(SettingsStore &settings, Skin &skin, const DataFolder &folder)
    : m_settings(settings)
    , m_skin(skin)
    , m_folder(folder)
{
}

HelpWindowKeeper::~HelpWindowKeeper()
{
    unload();
}

HelpWindow *HelpWindowKeeper::show(QWidget *owner)
{
    if (!m_window) {
        auto *created = new HelpWindow(m_settings, m_skin, m_folder, owner);
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
    if (m_settings.read(Settings::showHelp))
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
