#include "OutputPin.h"

#include <cstring>

#include "BaseFilter.h"

namespace navigator {

OutputPin::OutputPin(BaseFilter& filter, const wchar_t* name, const MediaType& type, long buffers,
                     long bufferSize)
    : mFilter(filter), mName(name), mType(type), mBuffers(buffers), mBufferSize(bufferSize) {}

OutputPin::~OutputPin() = default;

HRESULT OutputPin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPin) {
        *out = static_cast<IPin*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG OutputPin::AddRef() {
    return mFilter.AddRef();
}

ULONG OutputPin::Release() {
    return mFilter.Release();
}

HRESULT OutputPin::Connect(IPin* receiver, const AM_MEDIA_TYPE* wanted) {
    if (!receiver) return E_POINTER;
    if (IsConnected()) return VFW_E_ALREADY_CONNECTED;
    if (mFilter.State() != State_Stopped) return VFW_E_NOT_STOPPED;
    // A partial type (GUID_NULL members) matches ours when what it names agrees.
    if (wanted) {
        const AM_MEDIA_TYPE& ours = mType.Get();
        if ((wanted->majortype != GUID_NULL && wanted->majortype != ours.majortype) ||
            (wanted->subtype != GUID_NULL && wanted->subtype != ours.subtype))
            return VFW_E_TYPE_NOT_ACCEPTED;
    }
    AM_MEDIA_TYPE offered;
    if (!mType.CopyTo(offered)) return E_OUTOFMEMORY;
    HRESULT hr = receiver->ReceiveConnection(this, &offered);
    FreeMediaTypeContents(offered);
    if (FAILED(hr)) return hr;

    Peer peer;
    peer.pin = receiver;
    hr = receiver->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(peer.input.GetAddressOf()));
    if (SUCCEEDED(hr) && FAILED(peer.input->GetAllocator(peer.allocator.GetAddressOf())))
        hr = ::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                reinterpret_cast<void**>(peer.allocator.GetAddressOf()));
    if (SUCCEEDED(hr)) {
        ALLOCATOR_PROPERTIES want = {mBuffers, mBufferSize, 1, 0}, got = {};
        ALLOCATOR_PROPERTIES asked = {};
        // The renderer may ask for more or larger buffers than we would.
        if (SUCCEEDED(peer.input->GetAllocatorRequirements(&asked))) {
            if (asked.cBuffers > want.cBuffers) want.cBuffers = asked.cBuffers;
            if (asked.cbBuffer > want.cbBuffer) want.cbBuffer = asked.cbBuffer;
            if (asked.cbAlign > want.cbAlign) want.cbAlign = asked.cbAlign;
            want.cbPrefix = asked.cbPrefix;
        }
        hr = peer.allocator->SetProperties(&want, &got);
        if (SUCCEEDED(hr) && got.cbBuffer < mBufferSize) hr = VFW_E_SIZENOTSET;
        if (SUCCEEDED(hr)) hr = peer.input->NotifyAllocator(peer.allocator.Get(), FALSE);
    }
    if (FAILED(hr)) {
        receiver->Disconnect();
        return hr;
    }
    Lock lock(mLock);
    mPeer = peer;
    return S_OK;
}

HRESULT OutputPin::Disconnect() {
    if (mFilter.State() != State_Stopped) return VFW_E_NOT_STOPPED;
    Lock lock(mLock);
    if (!mPeer.pin) return S_FALSE;
    mPeer = Peer{};
    return S_OK;
}

HRESULT OutputPin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    Lock lock(mLock);
    *pin = mPeer.pin.Get();
    if (!*pin) return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

HRESULT OutputPin::ConnectionMediaType(AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    if (!IsConnected()) {
        std::memset(mt, 0, sizeof *mt);
        return VFW_E_NOT_CONNECTED;
    }
    return mType.CopyTo(*mt) ? S_OK : E_OUTOFMEMORY;
}

HRESULT OutputPin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = &mFilter;
    mFilter.AddRef();
    info->dir = PINDIR_OUTPUT;
    std::wcsncpy(info->achName, mName.c_str(), MAX_PIN_NAME - 1);
    info->achName[MAX_PIN_NAME - 1] = 0;
    return S_OK;
}

HRESULT OutputPin::QueryDirection(PIN_DIRECTION* dir) {
    if (!dir) return E_POINTER;
    *dir = PINDIR_OUTPUT;
    return S_OK;
}

HRESULT OutputPin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    size_t bytes = (mName.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(::CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, mName.c_str(), bytes);
    return S_OK;
}

HRESULT OutputPin::QueryAccept(const AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    return mType.SameMajorAndSub(*mt) ? S_OK : S_FALSE;
}

HRESULT OutputPin::EnumMediaTypes(IEnumMediaTypes** out) {
    if (!out) return E_POINTER;
    *out = NewMediaTypeEnum(mType);
    return S_OK;
}

bool OutputPin::IsConnected() {
    Lock lock(mLock);
    return mPeer.pin != nullptr;
}

OutputPin::Peer OutputPin::CurrentPeer() {
    Lock lock(mLock);
    return mPeer;
}

Microsoft::WRL::ComPtr<IBaseFilter> OutputPin::PeerFilter() {
    Microsoft::WRL::ComPtr<IBaseFilter> filter;
    Peer peer = CurrentPeer();
    PIN_INFO info{};
    if (peer.pin && SUCCEEDED(peer.pin->QueryPinInfo(&info)) && info.pFilter) filter.Attach(info.pFilter);
    return filter;
}

void OutputPin::Active() {
    Peer peer = CurrentPeer();
    if (peer.allocator) peer.allocator->Commit();
}

void OutputPin::Inactive() {
    Peer peer = CurrentPeer();
    if (peer.allocator) peer.allocator->Decommit();
}

HRESULT OutputPin::GetBuffer(IMediaSample** sample) {
    Peer peer = CurrentPeer();
    if (!peer.allocator) return VFW_E_NOT_CONNECTED;
    return peer.allocator->GetBuffer(sample, nullptr, nullptr, 0);
}

HRESULT OutputPin::Deliver(IMediaSample* sample) {
    Peer peer = CurrentPeer();
    if (!peer.input) return VFW_E_NOT_CONNECTED;
    return peer.input->Receive(sample);
}

HRESULT OutputPin::DeliverCopy(const void* bits, size_t size, const REFERENCE_TIME* start,
                               const REFERENCE_TIME* stop, bool discontinuity) {
    // The peer is held from the buffer to the delivery: a graph taken apart meanwhile would
    // otherwise free the allocator, and with it the buffer being written.
    Peer peer = CurrentPeer();
    if (!peer.allocator || !peer.input) return VFW_E_NOT_CONNECTED;
    Microsoft::WRL::ComPtr<IMediaSample> sample;
    HRESULT hr = peer.allocator->GetBuffer(sample.GetAddressOf(), nullptr, nullptr, 0);
    if (FAILED(hr)) return hr;
    BYTE* data = nullptr;
    hr = sample->GetPointer(&data);
    if (FAILED(hr)) return hr;
    if (static_cast<size_t>(sample->GetSize()) < size) return VFW_E_BUFFER_OVERFLOW;
    std::memcpy(data, bits, size);
    sample->SetActualDataLength(static_cast<long>(size));
    REFERENCE_TIME s = start ? *start : 0, e = stop ? *stop : s;
    sample->SetTime(start ? &s : nullptr, start ? &e : nullptr);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(discontinuity ? TRUE : FALSE);
    return peer.input->Receive(sample.Get());
}

HRESULT OutputPin::DeliverBeginFlush() {
    Peer peer = CurrentPeer();
    return peer.pin ? peer.pin->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::DeliverEndFlush() {
    Peer peer = CurrentPeer();
    return peer.pin ? peer.pin->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    Peer peer = CurrentPeer();
    return peer.pin ? peer.pin->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::DeliverEndOfStream() {
    Peer peer = CurrentPeer();
    return peer.pin ? peer.pin->EndOfStream() : VFW_E_NOT_CONNECTED;
}

}  // namespace navigator
