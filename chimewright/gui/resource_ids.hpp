// Identifiers shared by the resource script and the code.
#pragma once

#define CW_PROGRAM_ICON 101
#define CW_COPYRIGHT_DIALOG 201
#define CW_COPYRIGHT_TEXT 202
