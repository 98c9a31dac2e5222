#pragma once
// Everything a program built on the framework includes.
#include "app.h"
#include "controls.h"
#include "dialog.h"
#include "file.h"
#include "filedialog.h"
#include "gdi.h"
#include "msgmap.h"
#include "strings.h"
#include "waitcursor.h"
#include "wnd.h"
