// Saving what the screen shows as a bitmap file.
#ifndef JOTWELL_TOOLS_SHOTS_CAPTURE_H
#define JOTWELL_TOOLS_SHOTS_CAPTURE_H

#include <windows.h>

#include <string>

// Writes the whole screen to a 24-bit BMP file. True on success.
bool CaptureScreen(const std::string& path);

#endif
