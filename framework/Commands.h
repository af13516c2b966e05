// The player's command vocabulary: every WM_COMMAND identifier that a button, a menu, a key or
// a video window sends. Only #define lines, so that resource scripts can include it too.
#pragma once

// Commands of the main window (WM_COMMAND identifiers)
#define ID_BUTTON_MINIMIZE 8
#define ID_BUTTON_PLAYLIST 9
#define ID_CHANGE_SKIN 12
#define ID_BUTTON_NEXTTRACK 16
#define ID_BUTTON_PREVTRACK 17
#define IDC_BUTTON1_FILELIST_LOOP 1050
#define IDC_BUTTON_CLOSE_PLAYLIST 1051
#define ID_APP_ABOUT 40001
#define ID_FILE_EXIT 40002
#define ID_PLAYBACK_PLAY 40003
#define ID_PLAYBACK_PAUSE 40004
#define ID_PLAYBACK_STOP 40005
#define ID_PLAYBACK_FASTFORWARD 40006
#define ID_PLAYBACK_REWIND 40007
#define ID_PLAYBACK_NEXTCHAPTER 40008
#define ID_PLAYBACK_PREVIOUSCHAPTER 40009
#define ID_PLAYBACK_ROOTMENU 40010
#define ID_PLAYBACK_TITLEMENU 40011
#define ID_OPTIONS_SUBPICTURE 40012
#define ID_OPTIONS_AUDIO 40013
#define ID_OPTIONS_PARENTAL 40014
#define ID_OPTIONS_CLOSEDCAPTION 40015
#define ID_OPTIONS_FULLSCREEN 40016
#define ID_OPTIONS_ANGLE 40017
#define ID_FILE_SELECTDISC 40018
#define ID_BOOKMARK_SAVE 40022
#define ID_BOOKMARK_RESTORE 40023
#define ID_PLAY_CHAPTER 40024
#define ID_PLAY_ATTIME 40025
#define ID_PLAY_CHAPTERINTITLE 40026
#define ID_PLAYBACK_STEPFORWARD 40029
#define ID_INFO_TEXT 40030
#define ID_INFO_AUDIO 40031
#define ID_INFO_VIDEO 40032
#define ID_INFO_SUBPICTURE 40033
#define ID_OPTIONS_KARAOKE 40035
#define ID_ZOOM_100 40036
#define ID_ZOOM_50 40037
#define ID_ZOOM_OTHER 40038  // a zoom item of a main-window video menu; no menu of ours holds it yet
#define ID_ZOOM_200 40039
// Further items of a main-window video menu, enabled with the video and grayed without it.
#define ID_VIDEO_MENU_ITEM1 40040
#define ID_VIDEO_MENU_ITEM2 40041
#define ID_VIDEO_MENU_ITEM3 40042
#define ID_VIDEO_MENU_ITEM4 40043
#define ID_AUDIO_MUTE 40044
#define ID_FILE_CLOSE 40047
#define ID_PLAYBACK_REPEAT 40048
#define ID_FILE_EJECT 40049
#define ID_OPTIONS_AUTOSTART 40050
#define ID_PLAY_DISK 40051
#define ID_AUDIO_VOLUMEUP 40052
#define ID_AUDIO_VOLUMEDOWN 40053
#define ID_OPTIONS_COLOUR 40054
#define ID_AUDIO_RIGHT 40058
#define ID_AUDIO_LEFT 40059
#define ID_AUDIO_BOTH 40060
#define ID_JUMP_FORWARD 40061
#define ID_JUMP_BACKWARD 40062
#define ID_PLAYBACK_SLOWFORWARD 40063
#define ID_PLAYBACK_SLOWBACKWARD 40064
#define ID_PLAYBACK_STEPBACKWARD 40065
#define ID_CAPTURE_FRAME 40066
#define ID_CAPTURE_OPEN 40067
#define ID_FILE_OPENURL 40077
#define ID_OPEN_PLAYLIST 40079
#define ID_SETUP 40080
#define ID_WEBSITE 40081
#define ID_POPUP_HELP 40082

// Skinned controls of the main window that send no command: text fields and sliders
#define IDC_SONG_NAME 10
#define IDC_PLAYBACK_TIME 11
#define IDC_TEXT_POS 19  // the skin format gives the field 12 (see skin/SkinFormat.cpp)
#define IDC_TEXT_HINT 13
#define IDC_TRACKBAR_VOLUME 14
#define IDC_TRACKBAR_POS 15
#define IDC_PLAYBACK_STATUS 18
#define IDC_SLIDER1_VOLUME 1038  // the volume slider
#define IDC_SLIDER1_PLAYBACK_POSITION 1039

// Commands of the DVD video window's own menu
#define ID_SUBPICTURE_DISABLE 40070

// Generated menu entries: base + index
#define ID_DVD_SUBPICTURE_BASE 45100  // + stream 0..31
#define ID_DVD_AUDIO_BASE 45200       // + stream 0..7
#define ID_DVD_TITLE_BASE 45300       // + title 1..99
#define ID_DVD_CHAPTER_BASE 45400     // + chapter 1..999
#define ID_DRIVE_OPEN_BASE 46400      // + drive 0..7, the open-resource menu
#define ID_DRIVE_EJECT_BASE 46500     // + drive 0..7, the eject choice
#define ID_FILTER_BASE 47100          // + filter 1..63, the Filters submenu
