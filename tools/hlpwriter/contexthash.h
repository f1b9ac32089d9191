// The viewer's hash of a context name: |CONTEXT is keyed by it, and so is a
// jump from one topic to another.
#pragma once

#include <cstdint>
#include <string>

int32_t HelpContextHash(const std::string& name);

// Letters, digits, '.' and '_' are the characters the hash counts; a name of
// others would clash with the name that leaves them out.
bool IsHelpContextNameChar(char c);
