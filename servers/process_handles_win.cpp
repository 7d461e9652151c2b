#include "servers/process_handles.h"

#include <windows.h>

void ReleaseProcessHandles(ProcessRecord& process)
{
    if (process.hProcess != nullptr)
        ::CloseHandle(process.hProcess);
    if (process.hThread != nullptr)
        ::CloseHandle(process.hThread);
    process = ProcessRecord{};
}
