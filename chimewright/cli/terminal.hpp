// What the console program needs of its console: UTF-8 output, and whether its standard
// streams are terminals.
#pragma once

namespace cw::cli {

// Makes the console show the program's UTF-8 output as text.
void useUtf8Output();

bool inputIsTerminal();
bool errorIsTerminal();

} // namespace cw::cli
