// The class layer in one include.
#pragma once

#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "File.h"
#include "String.h"
#include "StringList.h"
#include "WinApp.h"
#include "Wnd.h"
