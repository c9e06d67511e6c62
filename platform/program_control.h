#pragma once

namespace tolvane {

// The running program as a whole.
class ProgramControl {
public:
    virtual ~ProgramControl() = default;
    // Handles the window messages already waiting, once.
    virtual void processEvents() = 0;
    // Ends the program at once: no window is asked to close and nothing is saved.
    virtual void endNow() = 0;
    // True once the desktop session has begun to end (log-off or shut-down); from then on
    // no window may refuse to close.
    virtual bool sessionEnding() const = 0;
};

}  // namespace tolvane
