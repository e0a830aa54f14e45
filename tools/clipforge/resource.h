// Resource identifiers of ClipForge.exe. The list's check-box images come
// from the shared controls' resources.
#pragma once

#define IDD_CLIPFORGE 300
#define IDC_CF_LIST 3001
#define IDC_CF_CONVERT 3002
#define IDC_CF_CANCEL 3003
#define IDC_CF_OPEN_FOLDER 3004
#define IDC_CF_CLOSE 3005
#define IDC_CF_MINIMIZE 3006
#define IDC_CF_PROGRESS 3007
