// The controls a skin creates: the general controls with a name, an index in their dialog's list,
// and reports to that dialog.
#pragma once

#include <windows.h>

#include <string>

#include "BitmapSlider.h"
#include "MarqueeLabel.h"
#include "PercentBar.h"

class SkinDialog;

namespace skin {

// Name and index of a control, and the dialog it reports to.
struct ControlIdentity {
    SkinDialog* dialog = nullptr;
    std::string name;
    int index = 0;
};

class SkinButton : public HoverButton {
public:
    explicit SkinButton(ControlIdentity identity) : mId(std::move(identity)) {}
    const std::string& Name() const { return mId.name; }
    int Index() const { return mId.index; }

protected:
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;

private:
    ControlIdentity mId;
};

class SkinText : public MarqueeLabel {
public:
    explicit SkinText(ControlIdentity identity) : mId(std::move(identity)) {}
    const std::string& Name() const { return mId.name; }
    int Index() const { return mId.index; }

protected:
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;

private:
    ControlIdentity mId;
};

class SkinProgress : public PercentBar {
public:
    explicit SkinProgress(ControlIdentity identity) : mId(std::move(identity)) {}
    const std::string& Name() const { return mId.name; }
    int Index() const { return mId.index; }

protected:
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;

private:
    ControlIdentity mId;
};

class SkinSlider : public BitmapSlider {
public:
    explicit SkinSlider(ControlIdentity identity) : mId(std::move(identity)) {}
    const std::string& Name() const { return mId.name; }
    int Index() const { return mId.index; }
    bool Held() const { return mHeld; }

protected:
    void OnLButtonDown(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnPressAbandoned() override;

private:
    ControlIdentity mId;
    bool mHeld = false;
};

}  // namespace skin
