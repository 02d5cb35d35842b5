#include "app/appcontext.h"

#include "browser/browserprofile.h"

AppContext::AppContext()
    : profile(browserProfile())
{
}
