// The end-to-end tests' automation library: start programs, find and drive their dialogs and message boxes,
// take screenshots, and make and compare files. Every wait has a timeout; failures describe the screen.
//
// A test starts the program with CTestProcess (exact command line and folder), finds its dialog with
// WaitForDialog, drives it by control id through CDialogDriver (clicks return at once), answers its message
// boxes through WaitForMessageBox and CMessageBoxDriver, and ends with the exit code from WaitForExitCode.
// Failures throw CDriverError; GoogleTest reports its text, which lists every window and control on the
// screen (UTF-8) and names a PNG of them under <build>\scratch\failures.
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
