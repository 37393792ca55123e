#pragma once

#include <string>

#include "mobr/export.h"

// A control's caption cleaned for a report line (host code page in and out):
//  1. surrounding spaces (also the ideographic space) are dropped;
//  2. from the end, repeatedly: a trailing "...", "…", ':' or full-width ':'
//     and a trailing mnemonic group "(&X)" (one character after '&', also
//     in full-width parentheses) are dropped, each followed by trimming;
//  3. the mnemonic marker goes: "&&" becomes one '&', a single '&' vanishes;
//  4. surrounding spaces are dropped again.
// "&Scale (&S)..." becomes "Scale", "Save && close:" becomes "Save & close".
MOBR_API std::string EditDialogString(std::string text);
