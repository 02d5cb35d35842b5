#pragma once

#include "compose/templateset.h"

class SettingsStore;

// Reads the templates from the settings store. A key that is absent gives its default; a key
// stored with an empty value gives the empty text, so a name the user cleared stays cleared.
TemplateSet loadTemplates(const SettingsStore &settings);
// Writes every template key and the six companion values, empty ones included.
void saveTemplates(SettingsStore &settings, const TemplateSet &templates);
