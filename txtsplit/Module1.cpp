#include "Module1.h"
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include "Forms.h"

namespace Module1 {

const wchar_t* g_notifyProgId = L"KTMWNotify.CNotify";

namespace {

void CallNotify() {
  CLSID clsid;
  if (FAILED(::CLSIDFromProgID(g_notifyProgId, &clsid))) return;
  IDispatch* notify = nullptr;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&notify))) ||
      !notify)
    return;
  OLECHAR name[] = L"Notify";
  LPOLESTR names[] = {name};
  DISPID id = DISPID_UNKNOWN;
  if (SUCCEEDED(notify->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    // The arguments go in reverse order: the last one first.
    VARIANT args[2];
    ::VariantInit(&args[0]);
    ::VariantInit(&args[1]);
    args[1].vt = VT_BSTR;
    args[1].bstrVal = ::SysAllocString(L"ktfilesplit");
    args[0].vt = VT_BSTR;
    args[0].bstrVal = ::SysAllocString(L"Other information,Not used.");
    if (args[0].bstrVal && args[1].bstrVal) {
      DISPPARAMS params{args, nullptr, 2, 0};
      VARIANT result;
      ::VariantInit(&result);
      EXCEPINFO error{};
      UINT badArg = 0;
      notify->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &error, &badArg);
      ::VariantClear(&result);
      ::SysFreeString(error.bstrSource);
      ::SysFreeString(error.bstrDescription);
      ::SysFreeString(error.bstrHelpFile);
    }
    ::VariantClear(&args[0]);
    ::VariantClear(&args[1]);
  }
  notify->Release();
}

}  // namespace

void NotifyLaunch() {
  if (kt::forms::App::PrevInstance()) {
    kt::forms::App::End();
    return;
  }
  HRESULT init = ::CoInitialize(nullptr);
  CallNotify();
  if (SUCCEEDED(init)) ::CoUninitialize();
}

}  // namespace Module1
