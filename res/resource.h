// Ids shared by the resource script and the program.
#pragma once

#define IDD_ABOUTBOX        100
#define IDS_ABOUTBOX        101
#define IDD_VELMORA_DIALOG  102
#define IDR_MAINFRAME       128

#define IDC_DESCRIPTION     1000
#define IDC_PROMPT          1001
#define IDC_PASSPHRASE      1002
#define IDC_PROGRESS        1003
#define IDC_DELETE          1004
#define IDC_ARGUMENT        1005
#define IDC_START           1006

#define IDM_ABOUTBOX        0x0010

#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif
