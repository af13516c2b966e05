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

// One of the general controls carrying the identity that its reports name.
template <typename Control>
class NamedControl : public Control {
public:
    explicit NamedControl(ControlIdentity identity) : mId(std::move(identity)) {}
    const std::string& Name() const { return mId.name; }
    int Index() const { return mId.index; }

protected:
    ControlIdentity mId;
};

class SkinButton : public NamedControl<HoverButton> {
public:
    using NamedControl::NamedControl;

protected:
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;
};

class SkinText : public NamedControl<MarqueeLabel> {
public:
    using NamedControl::NamedControl;

protected:
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;
};

class SkinProgress : public NamedControl<PercentBar> {
public:
    using NamedControl::NamedControl;

protected:
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;
};

class SkinSlider : public NamedControl<BitmapSlider> {
public:
    using NamedControl::NamedControl;
    bool Held() const { return mHeld; }

protected:
    void OnLButtonDown(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnPressAbandoned() override;

private:
    bool mHeld = false;
};

}  // namespace skin
