// Resource and command identifiers of the player. Shared by the resource script and the code.
#pragma once

// Icons, strings, dialogs, menus
#define IDI_MAIN 100
#define IDS_TITLE 99
#define IDD_MAIN 139
#define IDD_ADDRESS 138
#define IDC_ADDRESS 1041
#define IDD_PLAYLIST 140
#define IDC_PLAYLIST_LIST 1043
#define IDC_PLAYLIST_REMOVE 1044
#define IDC_PLAYLIST_ADDFILES 1045
#define IDC_PLAYLIST_ADDLOCATION 1046
#define IDC_PLAYLIST_LOADLIST 1047
#define IDC_PLAYLIST_ADDLIST 1048
#define IDC_PLAYLIST_SAVELIST 1049
#define IDC_PLAYLIST_RANDOMIZE 1103
#define IDC_PLAYLIST_SEARCH 1104
#define IDC_PLAYLIST_CLEARALL 1105
// The file engine's popup menus, the main window's open-resource menu and the About box
#define IDD_ABOUT 122
#define IDR_VCDMENU 132
#define IDR_STILLMENU 135
#define IDR_OPENRESOURCE 137
#define IDR_EJECT 142
#define IDC_LINK_WEBSITE 1201
#define IDC_LINK_SUPPORT 1202
// The DVD video window's popup menu and the DVD dialogs
#define IDR_DVDMENU 131
#define IDD_DVD_PARENTAL 120
#define IDD_DVD_SUBPICTURE 123
#define IDD_DVD_AUDIO 124
#define IDD_DVD_ANGLE 125
#define IDD_DVD_CHAPTER 126
#define IDD_DVD_CHAPTERINTITLE 127
#define IDD_DVD_ATTIME 128
#define IDD_DVD_KARAOKE 129
#define IDC_DVD_SPIN 101  // the up-down control beside each number edit
#define IDC_DVD_LEVELS 1002
#define IDC_DVD_SUBPICTURES 1003
#define IDC_DVD_SHOWSUBPICTURE 1004
#define IDC_DVD_AUDIOSTREAMS 1005
#define IDC_DVD_ANGLES 1006
#define IDC_DVD_CHAPTER 1007
#define IDC_DVD_TITLE 1010
#define IDC_DVD_HOURS 1011
#define IDC_DVD_MINUTES 1012
#define IDC_DVD_SECONDS 1013
#define IDC_DVD_KARAOKE2 1016
#define IDC_DVD_KARAOKE3 1017
#define IDC_DVD_KARAOKE4 1018
// The Settings dialog and the file association dialog (one check box per table row, in order).
#define IDD_SETTINGS 143
#define IDC_SKIP_FORWARD 1053
#define IDC_SKIP_BACKWARD 1054
#define IDC_FAST_FORWARD 1055
#define IDC_FAST_BACKWARD 1056
#define IDC_SLOW_FORWARD 1057
#define IDC_FILE_ASSOCIATIONS 1100
#define IDC_FULLSCREEN_ON_PLAY 1101
#define IDC_SETTINGS_SPIN 101
#define IDD_ASSOCIATIONS 146
#define IDC_ASSOC_FIRST 1067
#define IDC_ASSOC_LAST 1098
#define IDC_ASSOC_HELP 1099

// Static texts; a script that includes winres.h first has it already.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The command identifiers live with the rest of the command vocabulary.
#include "Commands.h"
