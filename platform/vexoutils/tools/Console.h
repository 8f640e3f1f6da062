// Console set-up of the driver: output bytes exactly as written (no CR added on Windows).
#pragma once

namespace tool {
void binaryStdout();
}
