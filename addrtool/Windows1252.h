#pragma once
// The character a byte stands for in the Windows-1252 code page, as the tool shows the
// unit's reply bytes. The five codes the page leaves undefined map to the control
// characters of the same number.
namespace sonavel::addrtool {

char16_t Windows1252Character(unsigned char code);

}  // namespace sonavel::addrtool
