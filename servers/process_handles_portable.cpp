#include "servers/process_handles.h"

// The portable build never launches a process, so a record can hold no open
// handle here: there is nothing to close, only the fields to clear.
void ReleaseProcessHandles(ProcessRecord& process)
{
    process = ProcessRecord{};
}
