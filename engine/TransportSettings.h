// The user's skip and scan amounts, which the engines read from their owner at the moment of a
// command (the Settings dialog may have changed them since the file was opened).
#pragma once

struct TransportSettings {
    int skipForward = 20;  // seconds
    int skipBackward = 10;
    int fastForward = 2;  // multiples of normal speed
    int fastBackward = 2;
    float slowlyForward = 0.5f;
    float slowlyBackward = 0.5f;
};

class TransportSettingsSource {
public:
    virtual TransportSettings CurrentTransportSettings() const = 0;

protected:
    ~TransportSettingsSource() = default;
};
