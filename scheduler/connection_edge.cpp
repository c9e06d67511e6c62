#include "scheduler/connection_edge.h"

namespace tolvane {

ConnectionLooks::Look ConnectionLooks::look(ConnectionAnswer answer) {
    if (answer != ConnectionAnswer::Failed) {
        failing_ = false;
        return {answer == ConnectionAnswer::Connected, false};
    }
    const bool firstOfSpell = !failing_;
    failing_ = true;
    return {false, firstOfSpell};
}

ConnectionEdge connectionEdgeStep(bool connFlag, const std::function<bool()>& isConnected) {
    // The first look is taken whatever the flag says; only a new connection spares the second.
    const bool connected = isConnected();
    if (!connFlag && connected)
        return {true, true};
    // The second look decides whether the connection went down: a connection seen down
    // must be seen up again by a later tick before it counts as new.
    if (!isConnected() && connFlag)
        return {false, false};
    return {false, connFlag};
}

}  // namespace tolvane
