// The stand-in as the program meets it: created by its registered name, "Notify" called late bound.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>
#include <string>
#include "Fixtures.h"

namespace {

HRESULT CallNotify(IDispatch* d, std::vector<const wchar_t*> argsLastFirst) {
  OLECHAR name[] = L"Notify";
  LPOLESTR names[] = {name};
  DISPID id;
  HRESULT hr = d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> args(argsLastFirst.size());
  for (size_t i = 0; i < args.size(); ++i) {
    VariantInit(&args[i]);
    args[i].vt = VT_BSTR;
    args[i].bstrVal = SysAllocString(argsLastFirst[i]);
  }
  DISPPARAMS p{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr);
  for (auto& a : args) VariantClear(&a);
  return hr;
}

TEST(NotifyStandIn, CreatedByNameLogsEveryCallInOrder) {
  TempDir dir;
  std::wstring log = dir / L"notify.log";
  SetEnvironmentVariableW(L"KT_NOTIFY_LOG", log.c_str());
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  CLSID clsid;
  ASSERT_EQ(S_OK, CLSIDFromProgID(L"KTMWNotify.CNotify", &clsid)) << "the test prefix registers the stand-in";
  IDispatch* d = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&d)));
  EXPECT_EQ(S_OK, CallNotify(d, {L"second", L"first"}));
  EXPECT_EQ(S_OK, CallNotify(d, {L"二", L"一"}));
  EXPECT_EQ(DISP_E_BADPARAMCOUNT, CallNotify(d, {L"only"}));
  d->Release();
  CoUninitialize();
  SetEnvironmentVariableW(L"KT_NOTIFY_LOG", nullptr);
  auto bytes = ReadBytes(log);
  EXPECT_EQ("first|second\n\xE4\xB8\x80|\xE4\xBA\x8C\n", std::string(bytes.begin(), bytes.end()));
}

}  // namespace
