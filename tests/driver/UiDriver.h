// The end-to-end tests' automation library: start programs, find and drive their dialogs and message boxes,
// take screenshots, and make and compare files. Every wait has a timeout; failures describe the screen.
#pragma once

#include "DialogDriver.h"
#include "DriverError.h"
#include "MessageBoxDriver.h"
#include "PngWriter.h"
#include "ScreenCapture.h"
#include "ScreenDescription.h"
#include "TargetQuery.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "TextEncoding.h"
#include "Waiting.h"
#include "WindowFacts.h"
#include "WindowSearch.h"
