#pragma once

#include "loopbackrequest.h"

#include <QHash>
#include <QString>

// The fields a browser posted, form-encoded or as multipart/form-data (a form that could carry
// attachments); the last of a name wins.
QHash<QString, QString> postedFields(const LoopbackRequest &request);
