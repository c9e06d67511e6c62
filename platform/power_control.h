#pragma once

namespace tolvane {

// The computer's power: the one way the program may turn it off.
class PowerControl {
public:
    virtual ~PowerControl() = default;
    // Asks the system to shut down and power off; returns at once and reports nothing.
    virtual void powerOff() = 0;
};

}  // namespace tolvane
