#include "TestFilter.h"

#include <cwchar>

namespace filtertest {

namespace {

// {7C1B5E2A-4F3D-4E8B-9A61-2D5C8E0F4A11}
const CLSID kTestPageClsid = {0x7c1b5e2a, 0x4f3d, 0x4e8b, {0x9a, 0x61, 0x2d, 0x5c, 0x8e, 0x0f, 0x4a, 0x11}};
// {7C1B5E2A-4F3D-4E8B-9A61-2D5C8E0F4A12}
const CLSID kTestFilterClsid = {0x7c1b5e2a, 0x4f3d, 0x4e8b, {0x9a, 0x61, 0x2d, 0x5c, 0x8e, 0x0f, 0x4a, 0x12}};

PageRecord record;

// Reference counting shared by the small objects below.
template <typename Self>
class RefCounted {
public:
    ULONG AddRefImpl() { return static_cast<ULONG>(::InterlockedIncrement(&mRefs)); }
    ULONG ReleaseImpl() {
        LONG left = ::InterlockedDecrement(&mRefs);
        if (left == 0) delete static_cast<Self*>(this);
        return static_cast<ULONG>(left);
    }

private:
    LONG mRefs = 1;
};

class NoPins final : public IEnumPins, public RefCounted<NoPins> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IEnumPins) {
            *out = static_cast<IEnumPins*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
    HRESULT STDMETHODCALLTYPE Next(ULONG, IPin**, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** out) override {
        *out = new NoPins;
        return S_OK;
    }
};

class Filter final : public IBaseFilter, public ISpecifyPropertyPages, public RefCounted<Filter> {
public:
    explicit Filter(bool withPage) : mWithPage(withPage) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
            *out = static_cast<IBaseFilter*>(this);
        } else if (mWithPage && iid == IID_ISpecifyPropertyPages) {
            *out = static_cast<ISpecifyPropertyPages*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = kTestFilterClsid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stop() override {
        mState = State_Stopped;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Pause() override {
        mState = State_Paused;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME) override {
        mState = State_Running;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetState(DWORD, FILTER_STATE* state) override {
        *state = mState;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override {
        *clock = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override {
        *pins = new NoPins;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR, IPin** pin) override {
        *pin = nullptr;
        return VFW_E_NOT_FOUND;
    }
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override {
        std::wcsncpy(info->achName, mName, MAX_FILTER_NAME);
        info->pGraph = mGraph;
        if (mGraph) mGraph->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override {
        mGraph = graph;  // the graph holds the filter, not the other way round
        mName[0] = L'\0';
        if (name) std::wcsncpy(mName, name, MAX_FILTER_NAME - 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override {
        pages->cElems = 1;
        pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID)));
        if (!pages->pElems) return E_OUTOFMEMORY;
        pages->pElems[0] = kTestPageClsid;
        return S_OK;
    }

private:
    bool mWithPage;
    FILTER_STATE mState = State_Stopped;
    IFilterGraph* mGraph = nullptr;
    WCHAR mName[MAX_FILTER_NAME] = {};
};

class Page final : public IPropertyPage, public RefCounted<Page> {
public:
    Page() { ++record.created; }
    ~Page() {
        if (mSite) mSite->Release();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
            *out = static_cast<IPropertyPage*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override {
        if (mSite) mSite->Release();
        mSite = site;
        if (mSite) mSite->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL) override {
        ++record.activated;
        mWindow = ::CreateWindowExA(0, "STATIC", kPageText, WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                                    rect->right - rect->left, rect->bottom - rect->top, parent, nullptr,
                                    nullptr, nullptr);
        return mWindow ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE Deactivate() override {
        if (mWindow) ::DestroyWindow(mWindow);
        mWindow = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override {
        static const wchar_t kTitle[] = L"Test page";
        info->cb = sizeof(*info);
        info->pszTitle = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof(kTitle)));
        if (info->pszTitle) std::wmemcpy(info->pszTitle, kTitle, sizeof(kTitle) / sizeof(wchar_t));
        info->size = {200, 80};
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override {
        record.objectCount = count;
        record.firstObject = count ? objects[0] : nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Show(UINT command) override {
        if (mWindow) ::ShowWindow(mWindow, command);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override {
        if (mWindow)
            ::MoveWindow(mWindow, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                         TRUE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsPageDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Apply() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    IPropertyPageSite* mSite = nullptr;
    HWND mWindow = nullptr;
};

class PageFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // A static object: COM's references do not own it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        Page* page = new Page;
        HRESULT hr = page->QueryInterface(iid, out);
        page->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

PageFactory factory;

}  // namespace

PageRecord& LastPage() {
    return record;
}

IBaseFilter* CreateTestFilter(bool withPage) {
    return new Filter(withPage);
}

PageClassRegistration::PageClassRegistration() {
    if (FAILED(::CoRegisterClassObject(kTestPageClsid, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                       &mCookie)))
        mCookie = 0;
}

PageClassRegistration::~PageClassRegistration() {
    if (mCookie) ::CoRevokeClassObject(mCookie);
}

}  // namespace filtertest
