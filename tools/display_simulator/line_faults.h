#pragma once
// Displays that misbehave on the line, for the program's waits to be tested against: one that
// never reads, one that babbles. Both let go of their own slave descriptor once the program has
// the port open, so that the master sees a hang-up the moment the program closes the port, and
// judge how long the program took.
#include "pseudo_terminal.h"

// Never reads: the line takes about 4 KB and then no more. Exit code 0 when the program closed
// the port within 3 s of the last byte taken, 1 when later, 3 when those 4 KB did not come within
// timeoutS.
int runNeverReading(PseudoTerminal& pty, double timeoutS);

// Sends bytes that are none of the exchange's (never D0 to D6), one every `everyMs`, until the
// program closes the port. `quietSinceMs` is the clock (nowMs) read just before the last byte of
// the exchange was written: the program's wait for the next one cannot have begun earlier, however
// this process was scheduled meanwhile. Exit code 0 when the program closed the port 30 s after it
// (within our clock's agreement with the program's) and no more than 31 s, 1 otherwise.
// (2 ms by default; a slower babble is still a line that never falls silent for a read's time-out.)
int babbleUntilClosed(PseudoTerminal& pty, double quietSinceMs, int everyMs = 2);
