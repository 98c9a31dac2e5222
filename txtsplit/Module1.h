#pragma once
// The start notice of KTTxtSplit.
namespace Module1 {

// Ends the program when another instance runs; otherwise tells the maker's notification component that
// the program started. Every failure of the notice is silent.
void NotifyLaunch();

// The component's registered name; tests point it at a name that is not registered.
extern const wchar_t* g_notifyProgId;

}  // namespace Module1
