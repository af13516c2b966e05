// An output pin of one fixed media type that pushes samples to a downstream IMemInputPin: it
// connects with that type, agrees an allocator, and forwards samples, flushes, segments and the
// end of the stream from the filter's own threads. Its reference count is the filter's.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>

#include "MediaTypes.h"
#include "Sync.h"

namespace navigator {

class BaseFilter;

class OutputPin final : public IPin {
public:
    OutputPin(BaseFilter& filter, const wchar_t* name, const MediaType& type, long buffers, long bufferSize);
    ~OutputPin();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* dir) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** out) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EndOfStream() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE BeginFlush() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE EndFlush() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

    const wchar_t* Name() const { return mName.c_str(); }
    const MediaType& Type() const { return mType; }
    bool IsConnected();
    // The filter of the connected pin, or null.
    Microsoft::WRL::ComPtr<IBaseFilter> PeerFilter();

    // The filter's state changes: the allocator is committed while the filter is not stopped.
    void Active();
    void Inactive();

    // Streaming, from the filter's threads. A sample of at least `size` bytes; waits while all
    // buffers are downstream, fails once the pin is inactive.
    HRESULT GetBuffer(IMediaSample** sample);
    HRESULT Deliver(IMediaSample* sample);
    // Copies `size` bytes into a new sample with the given times (none when null) and delivers it.
    HRESULT DeliverCopy(const void* bits, size_t size, const REFERENCE_TIME* start,
                        const REFERENCE_TIME* stop, bool discontinuity);
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
    HRESULT DeliverEndOfStream();

private:
    // What a delivery needs, held for the call so that a disconnection meanwhile is harmless.
    struct Peer {
        Microsoft::WRL::ComPtr<IPin> pin;
        Microsoft::WRL::ComPtr<IMemInputPin> input;
        Microsoft::WRL::ComPtr<IMemAllocator> allocator;
    };
    Peer CurrentPeer();

    BaseFilter& mFilter;
    std::wstring mName;
    MediaType mType;
    long mBuffers, mBufferSize;
    CriticalSection mLock;
    Peer mPeer;
};

}  // namespace navigator
