// Closing the handles a launch left in a record. The record and the table
// stay free of the operating system; the closing itself is done per build.
#pragma once

#include "servers/server_config.h"

// Closes the process and main-thread handles, then zeroes all four fields,
// so that a second call, or a later one after a failed launch, closes nothing.
void ReleaseProcessHandles(ProcessRecord& process);
