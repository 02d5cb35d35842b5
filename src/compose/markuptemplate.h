#pragma once

#include <QString>

struct TemplateSet;

// Whether the template that convertMessage picks for selectedName writes HTML: its link opens with
// a tag. A rich editor takes such a message as markup; every other format (plain text, bulletin
// board codes) goes in as text.
bool convertsToMarkup(const QString &selectedName, const TemplateSet &templates);
