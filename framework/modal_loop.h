// The modal loops the framework runs (dialogs, message boxes, file dialogs),
// counted on the thread that runs them. A message such a loop dispatches is
// not part of the handler that waits for the loop to end: it starts afresh,
// the outermost of its own loop.
#pragma once

class ModalLoop {
public:
    ModalLoop() { ++Count(); }
    ~ModalLoop() { --Count(); }
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    // How many of them run now, one inside the other.
    static int Depth() { return Count(); }

private:
    static int& Count()
    {
        thread_local int count = 0;
        return count;
    }
};
