#pragma once
// What the About command shows: the title, and lines each ended by CR LF: the program's name and
// version, its authors and an empty line. A web address would stand before the empty line, but
// the project names no web home (its README gives none), so there is none.
#include "program_version.h"

constexpr char kAboutTitle[] = VELTRANA_PROGRAM_NAME;
constexpr char kAboutText[] =
    VELTRANA_PROGRAM_NAME " " VELTRANA_VERSION "\r\n"
    "Veltrana contributors\r\n"
    "\r\n";
