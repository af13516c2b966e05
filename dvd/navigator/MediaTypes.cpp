#include "MediaTypes.h"

#include "ComObject.h"

#include <cstring>

namespace navigator {

void FreeMediaTypeContents(AM_MEDIA_TYPE& type) {
    if (type.pbFormat) ::CoTaskMemFree(type.pbFormat);
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    if (type.pUnk) type.pUnk->Release();
    type.pUnk = nullptr;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    FreeMediaTypeContents(*type);
    ::CoTaskMemFree(type);
}

namespace {

bool CopyContents(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from) {
    to = from;
    to.pbFormat = nullptr;
    to.cbFormat = 0;
    if (from.cbFormat && from.pbFormat) {
        to.pbFormat = static_cast<BYTE*>(::CoTaskMemAlloc(from.cbFormat));
        if (!to.pbFormat) {
            to.pUnk = nullptr;
            return false;
        }
        std::memcpy(to.pbFormat, from.pbFormat, from.cbFormat);
        to.cbFormat = from.cbFormat;
    }
    if (to.pUnk) to.pUnk->AddRef();
    return true;
}

}  // namespace

MediaType::MediaType() {
    std::memset(&mType, 0, sizeof mType);
}
MediaType::MediaType(const AM_MEDIA_TYPE& from) {
    if (!CopyContents(mType, from)) std::memset(&mType, 0, sizeof mType);
}
MediaType::~MediaType() {
    FreeMediaTypeContents(mType);
}
MediaType::MediaType(const MediaType& from) : MediaType(from.mType) {}
MediaType& MediaType::operator=(const MediaType& from) {
    if (this == &from) return *this;
    FreeMediaTypeContents(mType);
    if (!CopyContents(mType, from.mType)) std::memset(&mType, 0, sizeof mType);
    return *this;
}

bool MediaType::CopyTo(AM_MEDIA_TYPE& to) const {
    return CopyContents(to, mType);
}

AM_MEDIA_TYPE* MediaType::NewCopy() const {
    auto* copy = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy) return nullptr;
    if (!CopyContents(*copy, mType)) {
        ::CoTaskMemFree(copy);
        return nullptr;
    }
    return copy;
}

bool MediaType::SameMajorAndSub(const AM_MEDIA_TYPE& other) const {
    return other.majortype == mType.majortype && other.subtype == mType.subtype;
}

MediaType VideoRgb32(LONG width, LONG height, REFERENCE_TIME frameTime) {
    VIDEOINFOHEADER vih;
    std::memset(&vih, 0, sizeof vih);
    vih.AvgTimePerFrame = frameTime;
    vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih.bmiHeader.biWidth = width;
    vih.bmiHeader.biHeight = height;  // positive: bottom-up rows
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = 32;
    vih.bmiHeader.biCompression = BI_RGB;
    vih.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 4);
    AM_MEDIA_TYPE mt;
    std::memset(&mt, 0, sizeof mt);
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB32;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = vih.bmiHeader.biSizeImage;
    mt.formattype = FORMAT_VideoInfo;
    mt.cbFormat = sizeof vih;
    mt.pbFormat = reinterpret_cast<BYTE*>(&vih);
    return MediaType(mt);  // copies the format block
}

MediaType AudioPcm(DWORD samplesPerSecond, WORD channels) {
    WAVEFORMATEX wf;
    std::memset(&wf, 0, sizeof wf);
    wf.wFormatTag = WAVE_FORMAT_PCM;
    wf.nChannels = channels;
    wf.nSamplesPerSec = samplesPerSecond;
    wf.wBitsPerSample = 16;
    wf.nBlockAlign = static_cast<WORD>(channels * 2);
    wf.nAvgBytesPerSec = samplesPerSecond * wf.nBlockAlign;
    AM_MEDIA_TYPE mt;
    std::memset(&mt, 0, sizeof mt);
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = MEDIASUBTYPE_PCM;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = wf.nBlockAlign;
    mt.formattype = FORMAT_WaveFormatEx;
    mt.cbFormat = sizeof wf;
    mt.pbFormat = reinterpret_cast<BYTE*>(&wf);
    return MediaType(mt);
}

namespace {

class TypeEnum final : public ComObject<IEnumMediaTypes, IID_IEnumMediaTypes> {
public:
    explicit TypeEnum(const MediaType& type, ULONG at = 0) : mType(type), mAt(at) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override {
        if (!types) return E_POINTER;
        ULONG n = 0;
        if (count > 0 && mAt == 0) {
            types[0] = mType.NewCopy();
            if (!types[0]) return E_OUTOFMEMORY;
            mAt = n = 1;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        mAt += count;
        return mAt <= 1 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        mAt = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** out) override {
        if (!out) return E_POINTER;
        *out = new TypeEnum(mType, mAt);
        return S_OK;
    }

private:
    MediaType mType;
    ULONG mAt;
};

class PinEnum final : public ComObject<IEnumPins, IID_IEnumPins> {
public:
    explicit PinEnum(const std::vector<IPin*>& pins, ULONG at = 0) : mPins(pins), mAt(at) {
        for (IPin* p : mPins)
            p->AddRef();
    }
    ~PinEnum() {
        for (IPin* p : mPins)
            p->Release();
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override {
        if (!pins) return E_POINTER;
        ULONG n = 0;
        while (n < count && mAt < mPins.size()) {
            pins[n] = mPins[mAt++];
            pins[n++]->AddRef();
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        mAt += count;
        return mAt <= mPins.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        mAt = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** out) override {
        if (!out) return E_POINTER;
        *out = new PinEnum(mPins, mAt);
        return S_OK;
    }

private:
    std::vector<IPin*> mPins;
    ULONG mAt;
};

}  // namespace

IEnumMediaTypes* NewMediaTypeEnum(const MediaType& type) {
    return new TypeEnum(type);
}

IEnumPins* NewPinEnum(const std::vector<IPin*>& pins) {
    return new PinEnum(pins);
}

}  // namespace navigator
