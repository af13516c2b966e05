// An older navigator's interfaces: present so that a caller can find them, and recorded, but
// nothing behind them (every method answers E_NOTIMPL). Their methods follow the platform's
// declarations one for one.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "CallLog.h"

namespace dvdnav {

class OldControl final : public IDvdControl {
public:
    explicit OldControl(IUnknown* owner) : mOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDvdControl) {
            *out = static_cast<IDvdControl*>(this);
            AddRef();
            return S_OK;
        }
        return mOwner->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return mOwner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return mOwner->Release(); }
    HRESULT STDMETHODCALLTYPE TitlePlay(ULONG) override { return Refuse("OldControl.TitlePlay"); }
    HRESULT STDMETHODCALLTYPE ChapterPlay(ULONG, ULONG) override { return Refuse("OldControl.ChapterPlay"); }
    HRESULT STDMETHODCALLTYPE TimePlay(ULONG, ULONG) override { return Refuse("OldControl.TimePlay"); }
    HRESULT STDMETHODCALLTYPE StopForResume() override { return Refuse("OldControl.StopForResume"); }
    HRESULT STDMETHODCALLTYPE GoUp() override { return Refuse("OldControl.GoUp"); }
    HRESULT STDMETHODCALLTYPE TimeSearch(ULONG) override { return Refuse("OldControl.TimeSearch"); }
    HRESULT STDMETHODCALLTYPE ChapterSearch(ULONG) override { return Refuse("OldControl.ChapterSearch"); }
    HRESULT STDMETHODCALLTYPE PrevPGSearch() override { return Refuse("OldControl.PrevPGSearch"); }
    HRESULT STDMETHODCALLTYPE TopPGSearch() override { return Refuse("OldControl.TopPGSearch"); }
    HRESULT STDMETHODCALLTYPE NextPGSearch() override { return Refuse("OldControl.NextPGSearch"); }
    HRESULT STDMETHODCALLTYPE ForwardScan(double) override { return Refuse("OldControl.ForwardScan"); }
    HRESULT STDMETHODCALLTYPE BackwardScan(double) override { return Refuse("OldControl.BackwardScan"); }
    HRESULT STDMETHODCALLTYPE MenuCall(DVD_MENU_ID) override { return Refuse("OldControl.MenuCall"); }
    HRESULT STDMETHODCALLTYPE Resume() override { return Refuse("OldControl.Resume"); }
    HRESULT STDMETHODCALLTYPE UpperButtonSelect() override { return Refuse("OldControl.UpperButtonSelect"); }
    HRESULT STDMETHODCALLTYPE LowerButtonSelect() override { return Refuse("OldControl.LowerButtonSelect"); }
    HRESULT STDMETHODCALLTYPE LeftButtonSelect() override { return Refuse("OldControl.LeftButtonSelect"); }
    HRESULT STDMETHODCALLTYPE RightButtonSelect() override { return Refuse("OldControl.RightButtonSelect"); }
    HRESULT STDMETHODCALLTYPE ButtonActivate() override { return Refuse("OldControl.ButtonActivate"); }
    HRESULT STDMETHODCALLTYPE ButtonSelectAndActivate(ULONG) override {
        return Refuse("OldControl.ButtonSelectAndActivate");
    }
    HRESULT STDMETHODCALLTYPE StillOff() override { return Refuse("OldControl.StillOff"); }
    HRESULT STDMETHODCALLTYPE PauseOn() override { return Refuse("OldControl.PauseOn"); }
    HRESULT STDMETHODCALLTYPE PauseOff() override { return Refuse("OldControl.PauseOff"); }
    HRESULT STDMETHODCALLTYPE MenuLanguageSelect(LCID) override {
        return Refuse("OldControl.MenuLanguageSelect");
    }
    HRESULT STDMETHODCALLTYPE AudioStreamChange(ULONG) override {
        return Refuse("OldControl.AudioStreamChange");
    }
    HRESULT STDMETHODCALLTYPE SubpictureStreamChange(ULONG, WINBOOL) override {
        return Refuse("OldControl.SubpictureStreamChange");
    }
    HRESULT STDMETHODCALLTYPE AngleChange(ULONG) override { return Refuse("OldControl.AngleChange"); }
    HRESULT STDMETHODCALLTYPE ParentalLevelSelect(ULONG) override {
        return Refuse("OldControl.ParentalLevelSelect");
    }
    HRESULT STDMETHODCALLTYPE ParentalCountrySelect(WORD) override {
        return Refuse("OldControl.ParentalCountrySelect");
    }
    HRESULT STDMETHODCALLTYPE KaraokeAudioPresentationModeChange(ULONG) override {
        return Refuse("OldControl.KaraokeAudioPresentationModeChange");
    }
    HRESULT STDMETHODCALLTYPE VideoModePreferrence(ULONG) override {
        return Refuse("OldControl.VideoModePreferrence");
    }
    HRESULT STDMETHODCALLTYPE SetRoot(LPCWSTR) override { return Refuse("OldControl.SetRoot"); }
    HRESULT STDMETHODCALLTYPE MouseActivate(POINT) override { return Refuse("OldControl.MouseActivate"); }
    HRESULT STDMETHODCALLTYPE MouseSelect(POINT) override { return Refuse("OldControl.MouseSelect"); }
    HRESULT STDMETHODCALLTYPE ChapterPlayAutoStop(ULONG, ULONG, ULONG) override {
        return Refuse("OldControl.ChapterPlayAutoStop");
    }

private:
    static HRESULT Refuse(const char* what) {
        Record("%s", what);
        return E_NOTIMPL;
    }
    IUnknown* mOwner;
};

class OldInfo final : public IDvdInfo {
public:
    explicit OldInfo(IUnknown* owner) : mOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDvdInfo) {
            *out = static_cast<IDvdInfo*>(this);
            AddRef();
            return S_OK;
        }
        return mOwner->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return mOwner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return mOwner->Release(); }
    HRESULT STDMETHODCALLTYPE GetCurrentDomain(DVD_DOMAIN*) override {
        return Refuse("OldInfo.GetCurrentDomain");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentLocation(DVD_PLAYBACK_LOCATION*) override {
        return Refuse("OldInfo.GetCurrentLocation");
    }
    HRESULT STDMETHODCALLTYPE GetTotalTitleTime(ULONG*) override {
        return Refuse("OldInfo.GetTotalTitleTime");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentButton(ULONG*, ULONG*) override {
        return Refuse("OldInfo.GetCurrentButton");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentAngle(ULONG*, ULONG*) override {
        return Refuse("OldInfo.GetCurrentAngle");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentAudio(ULONG*, ULONG*) override {
        return Refuse("OldInfo.GetCurrentAudio");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentSubpicture(ULONG*, ULONG*, WINBOOL*) override {
        return Refuse("OldInfo.GetCurrentSubpicture");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentUOPS(VALID_UOP_SOMTHING_OR_OTHER*) override {
        return Refuse("OldInfo.GetCurrentUOPS");
    }
    HRESULT STDMETHODCALLTYPE GetAllSPRMs(SPRMARRAY*) override { return Refuse("OldInfo.GetAllSPRMs"); }
    HRESULT STDMETHODCALLTYPE GetAllGPRMs(GPRMARRAY*) override { return Refuse("OldInfo.GetAllGPRMs"); }
    HRESULT STDMETHODCALLTYPE GetAudioLanguage(ULONG, LCID*) override {
        return Refuse("OldInfo.GetAudioLanguage");
    }
    HRESULT STDMETHODCALLTYPE GetSubpictureLanguage(ULONG, LCID*) override {
        return Refuse("OldInfo.GetSubpictureLanguage");
    }
    HRESULT STDMETHODCALLTYPE GetTitleAttributes(ULONG, DVD_ATR*) override {
        return Refuse("OldInfo.GetTitleAttributes");
    }
    HRESULT STDMETHODCALLTYPE GetVMGAttributes(DVD_ATR*) override {
        return Refuse("OldInfo.GetVMGAttributes");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentVideoAttributes(DVD_VideoATR*) override {
        return Refuse("OldInfo.GetCurrentVideoAttributes");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentAudioAttributes(DVD_AudioATR*) override {
        return Refuse("OldInfo.GetCurrentAudioAttributes");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentSubpictureAttributes(DVD_SubpictureATR*) override {
        return Refuse("OldInfo.GetCurrentSubpictureAttributes");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentVolumeInfo(ULONG*, ULONG*, DVD_DISC_SIDE*, ULONG*) override {
        return Refuse("OldInfo.GetCurrentVolumeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetDVDTextInfo(BYTE*, ULONG, ULONG*) override {
        return Refuse("OldInfo.GetDVDTextInfo");
    }
    HRESULT STDMETHODCALLTYPE GetPlayerParentalLevel(ULONG*, ULONG*) override {
        return Refuse("OldInfo.GetPlayerParentalLevel");
    }
    HRESULT STDMETHODCALLTYPE GetNumberOfChapters(ULONG, ULONG*) override {
        return Refuse("OldInfo.GetNumberOfChapters");
    }
    HRESULT STDMETHODCALLTYPE GetTitleParentalLevels(ULONG, ULONG*) override {
        return Refuse("OldInfo.GetTitleParentalLevels");
    }
    HRESULT STDMETHODCALLTYPE GetRoot(LPSTR, ULONG, ULONG*) override { return Refuse("OldInfo.GetRoot"); }

private:
    static HRESULT Refuse(const char* what) {
        Record("%s", what);
        return E_NOTIMPL;
    }
    IUnknown* mOwner;
};

}  // namespace dvdnav
