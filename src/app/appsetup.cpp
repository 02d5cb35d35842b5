#include "app/appsetup.h"

#include "browser/browserprofile.h"
#include "core/branding.h"
#include "core/datafolder.h"
#include "core/settingsstore.h"
#include "ui/modalmessageboxes.h"

#include <QCoreApplication>

AppSetup AppSetup::forUser()
{
    AppSetup setup;
    setup.settingsFile = SettingsStore::userFile();
    setup.dataFolder = chooseDataFolder(QCoreApplication::applicationDirPath());
    setup.browserFolder = BrowserProfile::userFolder();
    setup.messageBoxes = std::make_unique<ModalMessageBoxes>();
    setup.skinEnabled = branding().skinEnabled;
    return setup;
}
