// Test support: a filter without pins that can join a real filter graph under any name, and,
// when asked, offers one property page of its own. The page's class is registered for this
// process only, so the platform's property frame can create it.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <ocidl.h>

namespace filtertest {

// What the property page saw of the frame that showed it.
struct PageRecord {
    int created = 0;
    int activated = 0;
    ULONG objectCount = 0;
    IUnknown* firstObject = nullptr;  // compared by identity only
};
PageRecord& LastPage();

// The text of the page's one control.
inline constexpr char kPageText[] = "Tesmaro test page";

// A new filter with one reference; withPage decides whether it answers ISpecifyPropertyPages.
IBaseFilter* CreateTestFilter(bool withPage);

// Registers the page's class for the life of this object.
class PageClassRegistration {
public:
    PageClassRegistration();
    ~PageClassRegistration();
    PageClassRegistration(const PageClassRegistration&) = delete;
    PageClassRegistration& operator=(const PageClassRegistration&) = delete;
    bool Registered() const { return mCookie != 0; }

private:
    DWORD mCookie = 0;
};

}  // namespace filtertest
