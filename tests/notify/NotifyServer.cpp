// A stand-in for the maker's notification component "KTMWNotify.CNotify", for tests only: an in-process
// automation object whose method Notify(BSTR, BSTR) appends one line per call, "first|second", in UTF-8 to
// the file named by the environment variable KT_NOTIFY_LOG (nothing is written when it is unset).
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <string>
#include "NotifyIds.h"

namespace {

LONG g_objects = 0;
LONG g_locks = 0;
constexpr DISPID kNotifyId = 1;

std::string Utf8(const wchar_t* s) {
  if (!s) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
  return out;
}

void Append(const std::string& line) {
  wchar_t path[1024] = {};
  DWORD n = ::GetEnvironmentVariableW(L"KT_NOTIFY_LOG", path, 1024);
  if (n == 0 || n >= 1024) return;
  HANDLE h = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD put = 0;
  ::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &put, nullptr);
  ::CloseHandle(h);
}

class Notify : public IDispatch {
public:
  Notify() { ::InterlockedIncrement(&g_objects); }
  virtual ~Notify() { ::InterlockedDecrement(&g_objects); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_refs); }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      if (i == 0 && lstrcmpiW(names[0], L"Notify") == 0) ids[0] = kNotifyId;
      else hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT* badArg) override {
    if (id != kNotifyId) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (!params || params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    // rgvarg holds the arguments last first.
    const VARIANT& first = params->rgvarg[1];
    const VARIANT& second = params->rgvarg[0];
    for (UINT i = 0; i < 2; ++i)
      if (params->rgvarg[i].vt != VT_BSTR) {
        if (badArg) *badArg = i;
        return DISP_E_TYPEMISMATCH;
      }
    Append(Utf8(first.bstrVal) + "|" + Utf8(second.bstrVal) + "\n");
    if (result) ::VariantInit(result);
    return S_OK;
  }

private:
  LONG m_refs = 1;
};

class Factory : public IClassFactory {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // a static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Notify* n = new (std::nothrow) Notify;
    if (!n) return E_OUTOFMEMORY;
    HRESULT hr = n->QueryInterface(iid, out);
    n->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) ::InterlockedIncrement(&g_locks);
    else ::InterlockedDecrement(&g_locks);
    return S_OK;
  }
};

Factory g_factory;

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_KtNotifyStandIn) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }
