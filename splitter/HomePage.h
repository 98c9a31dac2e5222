#pragma once
// The maker's web site, shown in the About box. A narrow literal so the resource script can use it too;
// C++ code writes L"" KT_HOME_PAGE for the wide text.
#define KT_HOME_PAGE "http://www.example.com"
