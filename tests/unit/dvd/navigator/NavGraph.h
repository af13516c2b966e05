// A DVD graph of our own navigator, built and driven the way the DVD engine drives a DVD graph
// builder: render the volume, take the navigator's and the graph's interfaces, set the initial
// options, stop the navigator and name the directory, run. Events come through the real
// graph's IMediaEventEx; the picture is read back from the real Video Renderer.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <dvdevcod.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace navtest {

// The folder of the test volumes, next to the test program (bin/media/navigator).
std::string DiscRoot();
// A volume's VIDEO_TS.IFO, as a user opens it: "colours" or "bad\\<name>".
std::wstring DiscIfo(const std::string& name);

struct Event {
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
};

struct Colour {
    int r = 0, g = 0, b = 0;
};
bool IsRed(Colour c);
bool IsGreen(Colour c);
bool IsBlue(Colour c);

template <typename T>
HRESULT Query(IUnknown* from, REFIID iid, ComPtr<T>& to) {
    return from->QueryInterface(iid, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}

class NavGraph {
public:
    // Renders the volume (null: let the navigator look for one).
    explicit NavGraph(const std::wstring& volume);
    ~NavGraph();
    NavGraph(const NavGraph&) = delete;
    NavGraph& operator=(const NavGraph&) = delete;

    // The engine's start: interfaces, options, Stop + SetDVDDirectory. True when all succeeded.
    bool Prepare();
    // The engine's Play from its Stopped state: Run, then PlayForwards(1.0).
    HRESULT Play();
    // The engine's Stop: pause, stop with the reset option set, clear it.
    void StopAndReset();

    // Waits (pumping messages) for an event that matches, among those after the mark (the
    // events seen when the last WaitFor found its event, or the last Mark()); every event seen
    // is kept in `seen`.
    bool WaitFor(long code, const std::function<bool(const Event&)>& match = nullptr, DWORD timeoutMs = 8000,
                 Event* found = nullptr);
    void Mark() {
        Pump(0);
        mMark = seen.size();
    }
    // Waits for a time event at or past `ms` into the title.
    bool WaitForTime(int64_t ms, DWORD timeoutMs = 8000);
    int64_t LastTimeMs() const { return mLastTimeMs; }
    // The picture's centre, read from the renderer; the graph is paused for the read and runs
    // again after it when it ran before.
    bool ShownColour(Colour& colour, int x = 360, int y = 288);
    void Pump(DWORD ms);

    HRESULT rendered = E_FAIL;
    AM_DVD_RENDERSTATUS status{};
    ComPtr<IDvdGraphBuilder> builder;
    ComPtr<IDvdControl2> control;
    ComPtr<IDvdInfo2> info;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> media;
    ComPtr<IMediaEventEx> events;
    ComPtr<IVideoWindow> window;
    ComPtr<IBasicVideo> video;
    ComPtr<IBasicAudio> audio;
    std::vector<Event> seen;
    std::wstring volume;

private:
    void Drain();
    int64_t mLastTimeMs = -1;
    size_t mMark = 0;
};

}  // namespace navtest
