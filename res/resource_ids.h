/* Resource and command numbers shared by the resource script and the
   Windows front end. Plain macros: the resource compiler reads this too. */
#ifndef MAROBEL_RESOURCE_IDS_H
#define MAROBEL_RESOURCE_IDS_H

#define IDS_APP_TITLE 103
#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_SMOOTH 110
#define IDM_NEW_GAME 111
#define IDM_CONTINUE 112
#define IDM_FREE_PLAY 113
#define IDM_PAUSE 114
#define IDM_SOUND 115
#define IDM_VOLUME_1 116
#define IDM_VOLUME_2 117
#define IDM_VOLUME_3 118
#define IDM_VOLUME_4 119
#define IDM_VOLUME_5 120
#define IDM_SCALE_1 121
#define IDM_SCALE_2 122
#define IDM_SCALE_3 123
#define IDM_SCALE_4 124
#define IDM_FIT 125
#define IDM_FULL_SCREEN 126
#define IDM_JAPANESE 127
#define IDM_ENGLISH 128
#define IDM_BACKGROUND_PAUSE 129
#define IDM_KEYS 130
#define IDM_STATISTICS 131
#define IDI_APP_ICON 107
#define IDI_SMALL_ICON 108
#define IDS_WINDOW_CLASS 109
#define IDC_MAIN_MENU 109
#define IDC_ACCELERATORS 109
#define IDC_ABOUT_ICON 2

#endif
