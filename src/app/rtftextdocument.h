#pragma once

#include "app/rtfcontent.h"

class QTextDocument;

// Replaces the content of target with the paragraphs and runs of source.
void fillTextDocument(QTextDocument *target, const RtfDocument &source);
