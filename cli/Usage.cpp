#include "cli/Commands.h"

namespace sonavel::cli {

std::string UsageText() {
    return R"(usage: sonavel-cli COMMAND ...

Preset files (records of 690 bytes; record 1 is the one the editor loads):
  preset show FILE.bin [--record N]      print a record as JSON
  preset make JSON OUT.bin [--append]    build a record from JSON (fields left out take
                                         the defaults); --append adds it to OUT.bin
  preset diff A.bin B.bin                list the settings that differ
  plot FILE.bin [--csv OUT.csv] [--segments OUT.csv] [--png OUT.png]
                                         the response the editor shows for the preset

Units on a serial line (P is COM3, 3 or a device path; A is 1..32, may repeat):
  scan --port P                          list the addresses that answer
  read --port P --address A [--name TEXT] [--append] OUT.bin
                                         read the current settings into a preset file
  write --port P --address A FILE.bin    send a preset file as the editor's Load does
  store --port P --address A --slot N FILE.bin
                                         store a preset file into slot N (1..16)
  recall --port P --address A --slot N [--name TEXT] [--append] OUT.bin
                                         read slot N into a preset file

Errors are one line on stderr and a non-zero exit status.
)";
}

}  // namespace sonavel::cli
