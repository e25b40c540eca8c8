// Resource and control ids of driver_sample, shared by its resource script and the driver tests.
#pragma once

#define IDD_SAMPLE 100

#define IDC_NAME 1001
#define IDC_OPTION 1002
#define IDC_RUN 1003
#define IDC_PROGRESS 1004
#define IDC_STATUS 1005
#define IDC_ERROR 1006
#define IDC_INFO 1007
#define IDC_RELAUNCH 1008
#define IDC_COMMAND_LINE 1009
#define IDC_FOLDER 1010
#define IDC_HIDDEN 1011
#define IDC_DISABLED 1012

// System menu ids must be below 0xF000 and have the low four bits clear.
#define IDM_ABOUT 0x0010
