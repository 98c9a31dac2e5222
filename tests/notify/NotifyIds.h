#pragma once
// The stand-in's class id; tests/prefix.d/notify.sh registers the same one.
#include <windows.h>

// {0D43FE6F-16D5-48A3-8C4F-0FA19A51F785}
inline constexpr CLSID CLSID_KtNotifyStandIn = {0x0d43fe6f, 0x16d5, 0x48a3, {0x8c, 0x4f, 0x0f, 0xa1, 0x9a, 0x51, 0xf7, 0x85}};
