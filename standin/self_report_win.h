// What the stand-in knows about itself, and the log it keeps of it.
#pragma once

#include <cstdint>
#include <string>

struct SelfReport {
    unsigned long processId;
    std::uintptr_t processAffinity;  // 0 when the query failed
    std::uintptr_t threadAffinity;   // of the calling thread, the main one
};

// Read afresh each time: the launcher may pin the process just after start.
SelfReport ReadSelfReport();

// Appends "<event> pid=<id> affinity=0x<hex> thread_affinity=0x<hex>" and,
// when given, a blank and the details, as one line to the log.
void LogEvent(const char* event, const std::string& details = std::string());
