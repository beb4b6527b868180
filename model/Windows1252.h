#pragma once
// Conversion between UTF-8 text and the 8-bit Windows-1252 code page of preset names and
// of the text a unit replies to the address tool.
#include <string>

namespace sonavel {

// Encodes at most maxCharacters characters of utf8 text; a character the code page cannot
// hold, and every byte that is not valid UTF-8, becomes "?".
std::string EncodeWindows1252(const std::string& utf8, size_t maxCharacters);

// Decodes 8-bit text; the five bytes the code page leaves unassigned map to the control
// characters of the same number, so that encoding them again gives the same bytes.
std::string DecodeWindows1252(const std::string& bytes);

}  // namespace sonavel
