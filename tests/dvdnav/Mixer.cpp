#include "Navigator.h"

namespace dvdnav {

HRESULT Mixer::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IMixerPinConfig2 || iid == IID_IMixerPinConfig) {
        *out = static_cast<IMixerConfig2*>(this);
        AddRef();
        return S_OK;
    }
    return mNav.QueryInterface(iid, out);
}
ULONG Mixer::AddRef() {
    return mNav.AddRef();
}
ULONG Mixer::Release() {
    return mNav.Release();
}

HRESULT Mixer::GetRelativePosition(DWORD* l, DWORD* t, DWORD* r, DWORD* b) {
    if (!l || !t || !r || !b) return E_POINTER;
    *l = *t = 0;
    *r = *b = 10000;
    return S_OK;
}

HRESULT Mixer::GetZOrder(DWORD* order) {
    if (!order) return E_POINTER;
    *order = 0;
    return S_OK;
}

HRESULT Mixer::GetAspectRatioMode(int* mode) {
    if (!mode) return E_POINTER;
    *mode = 1;  // letter box
    return S_OK;
}

HRESULT Mixer::SetOverlaySurfaceColorControls(DDCOLORCONTROL* c) {
    Record("Mixer.SetOverlaySurfaceColorControls %ld %ld %ld %ld %ld", c ? c->lBrightness : 0,
           c ? c->lContrast : 0, c ? c->lHue : 0, c ? c->lSaturation : 0, c ? c->lGamma : 0);
    if (HRESULT s_; mNav.Scripted("SetOverlaySurfaceColorControls", false, s_)) return s_;
    if (!c) return E_POINTER;
    if (c->lBrightness < 0 || c->lBrightness > 10000) return E_INVALIDARG;
    Navigator::Guard g(mNav);
    DWORD flags = mColours.dwFlags;
    mColours = *c;
    mColours.dwFlags = flags;
    return S_OK;
}

HRESULT Mixer::GetOverlaySurfaceColorControls(DDCOLORCONTROL* c) {
    Record("Mixer.GetOverlaySurfaceColorControls");
    if (HRESULT s_; mNav.Scripted("GetOverlaySurfaceColorControls", false, s_)) return s_;
    if (!c) return E_POINTER;
    Navigator::Guard g(mNav);
    *c = mColours;
    return S_OK;
}

}  // namespace dvdnav
