// Where the start and the end of the program go. When the environment variable
// KEYLOOM_STEP_TRACE names a file, each step notes the moment it ends (the performance
// counter in milliseconds, the same clock in every process), and the notes are appended
// to that file, one "step milliseconds" line each, when the start-up is complete and
// when the program ends. The speed bench reads them; without the variable nothing is noted.
#pragma once

namespace kl {

void TraceStep(const char* step);
void WriteStepTrace();

}  // namespace kl
