// Writes a WinHelp 3.1 file: a header, a directory and the internal files
// |CONTEXT, |CTXOMAP, |FONT, |SYSTEM and |TOPIC.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/hlpwriter/helpsource.h"

// The source must come from ParseHelpSource, whose limits the writer relies on.
std::vector<uint8_t> WriteHelpFile(const HelpSource& source);
