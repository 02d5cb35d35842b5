#include "core/branding.h"

#include "core/buildinfo.h"

namespace {
Branding &record()
{
    static Branding instance;
    return instance;
}
} // namespace

void loadBranding()
{
    Branding &b = record();
    b.programName = QStringLiteral(THREADLOOM_PRODUCT_NAME);
    b.companyName = QStringLiteral(THREADLOOM_COMPANY_NAME);
    b.websiteAddress = QStringLiteral(THREADLOOM_WEBSITE);
    b.skinEnabled = false;
    b.versionMajor = THREADLOOM_VERSION_MAJOR;
    b.versionMinor = THREADLOOM_VERSION_MINOR;
    b.versionRevision = THREADLOOM_VERSION_PATCH;
}

const Branding &branding()
{
    if (record().programName.isEmpty())
        loadBranding();
    return record();
}
