#pragma once

#include <QtGlobal>

namespace tolvane {

// The computer's link to the Internet, and the dial-up control over it.
class InternetConnection {
public:
    enum class State { Connected, NotConnected, Failed };

    virtual ~InternetConnection() = default;
    // Answers at once from what is already known; never waits on the system. Failed when
    // nothing can tell.
    virtual State state() = 0;
    // Changes whenever the state starts being taken from elsewhere (a network service coming
    // onto the system or leaving it), since two sources may disagree: states on either side of
    // a change are not to be compared.
    virtual quint64 stateSource() { return 0; }
    // Bring the connection up, or take it down; both return at once and report nothing.
    virtual void dial() = 0;
    virtual void hangUp() = 0;
};

}  // namespace tolvane
