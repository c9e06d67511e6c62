#pragma once

#include <functional>

namespace tolvane {

// What the connection reader can answer.
enum class ConnectionAnswer { Connected, NotConnected, Failed };

// IsConnected's reading of the reader's answers. A failure reads as not connected; its
// "ERROR" box is due only at the first failure of a spell, so that a reader that keeps
// failing does not pile up a box at every look. An answer that comes through ends the spell.
class ConnectionLooks {
public:
    struct Look {
        bool connected;
        bool showError;
    };
    Look look(ConnectionAnswer answer);

private:
    bool failing_ = false;
};

// One tick's connection edge step: from the flag of the last look ("ConnFlag") and the
// connection test, asked once or twice, whether this tick sees a new connection, and the
// flag for the next tick.
struct ConnectionEdge {
    bool onConnect;
    bool connFlag;
};
ConnectionEdge connectionEdgeStep(bool connFlag, const std::function<bool()>& isConnected);

}  // namespace tolvane
