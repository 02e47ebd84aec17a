/* Resource and command numbers shared by the resource script and the
   Windows front end. Plain macros: the resource compiler reads this too. */
#ifndef MAROBEL_RESOURCE_IDS_H
#define MAROBEL_RESOURCE_IDS_H

#define IDS_APP_TITLE 103
#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_SMOOTH 110
#define IDI_APP_ICON 107
#define IDI_SMALL_ICON 108
#define IDS_WINDOW_CLASS 109
#define IDC_MAIN_MENU 109
#define IDC_ACCELERATORS 109
#define IDC_ABOUT_ICON 2

#endif
