// A throw-away working directory for driving stand-in game servers from a
// test or a benchmark: it holds a copy of the stand-in QYR.exe and is the
// current directory while the object lives, so that a launch of "QYR.exe"
// starts the stand-in and the stand-ins' log lands in it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// One line of the stand-ins' log; see standin/main_win.cpp for the form.
struct StandinEvent {
    std::string name;
    unsigned long processId = 0;
    std::map<std::string, std::string> fields;  // "ignored" is a field with an empty value

    bool Has(const std::string& key) const { return fields.count(key) != 0; }
    std::string Field(const std::string& key) const;
};

using StandinEvents = std::vector<StandinEvent>;

// The events of one process, or of one kind from one process (0: any).
StandinEvents Select(const StandinEvents& events, const char* name, unsigned long processId = 0);

class StandinWorkspace {
public:
    // Every stand-in started from here ends by itself after this long at the
    // latest, whatever a test sets.
    static constexpr unsigned kLifetimeMs = 60000;

    StandinWorkspace();
    // Works in an existing folder that stays the caller's: a game folder's
    // Bin, whose maps a test needs as well.
    explicit StandinWorkspace(const std::string& folder);
    // Ends every stand-in started from here that still runs, restores the
    // previous current directory and removes the folder.
    ~StandinWorkspace();
    StandinWorkspace(const StandinWorkspace&) = delete;
    StandinWorkspace& operator=(const StandinWorkspace&) = delete;

    // False when the folder or the copy of QYR.exe could not be made.
    bool Ready() const { return m_ready; }
    const std::string& Folder() const { return m_folder; }

    // Behaviour of the stand-ins started from now on: one of the variables
    // of standin/standin_protocol.h. Clearing all leaves only the lifetime.
    void SetOption(const char* variable, const std::string& value);
    void ClearOptions();

    // Takes the program away, or puts it back, for launches that must fail.
    bool RemoveProgram();
    bool RestoreProgram();

    StandinEvents Events() const;
    // Polls the log until `done` holds, for at most timeoutMs.
    bool WaitFor(const std::function<bool(const StandinEvents&)>& done, unsigned timeoutMs) const;
    // Waits until the process logged events of this kind; those events, or
    // none when the time ran out.
    StandinEvents WaitForEvents(const char* name, unsigned long processId, unsigned timeoutMs) const;
    // Waits until `count` "start" lines are logged.
    bool WaitForStarts(std::size_t count, unsigned timeoutMs) const;

    // Waits until every stand-in that logged its start here has ended; false
    // when one still runs at the deadline, and when the log or a process
    // could not be looked at.
    bool WaitAllEnded(unsigned timeoutMs) const;

private:
    // False when the log exists but could not be read whole.
    bool ReadEvents(StandinEvents& events) const;
    void EndAll() const;

    void Enter();

    bool m_ready = false;
    bool m_ownsFolder = true;
    std::string m_folder;
    std::string m_source;  // the built stand-in
    std::string m_previousDirectory;
};
