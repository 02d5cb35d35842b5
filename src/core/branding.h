#pragma once

#include <QString>

// Who the program is and where its owner lives on the web. Filled once from the build's version
// record; every window reads its names from here rather than carrying them itself.
struct Branding
{
    QString programName;
    QString companyName;
    QString websiteAddress; // bare host name, no scheme
    bool skinEnabled = false;
    int versionMajor = 0;
    int versionMinor = 0;
    int versionRevision = 0;
};

// Fills the process-wide record. Calling it again gives the same record.
void loadBranding();
const Branding &branding();
