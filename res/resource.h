// Resource identifiers shared by the resource scripts and the code.
#pragma once

#define IDD_MAIN 102

// The main window's controls.
#define IDC_RECORD_PREVIEW 1000   // hidden
#define IDC_REMOVE 1001           // hidden
#define IDC_HELP_BUTTON 1005
#define IDC_MINIMIZE 1006
#define IDC_CLOSE 1007
#define IDC_PREVIEW_AREA 1008     // hidden
#define IDC_OUTPUT_FOLDER 1009
#define IDC_FORMAT 1011           // hidden
#define IDC_CHANGE_FOLDER 1012
#define IDC_OPEN_FOLDER 1013
#define IDC_RESOLUTION 1014       // hidden
#define IDC_OUTPUT_LIST 1004
#define IDC_HOME 1033
#define IDC_VIDEO_BITRATE 1034    // hidden
#define IDC_AUDIO_BITRATE 1035    // hidden
#define IDC_PICTURE_FIT 1036      // hidden
#define IDC_SNAPSHOT 1039         // hidden
#define IDC_OPEN_SNAPSHOTS 1040   // hidden
#define IDC_TRIM 1042             // hidden
#define IDC_CROP 1043             // hidden
#define IDC_EFFECT 1044           // hidden
#define IDC_SETTINGS 1045         // hidden
#define IDC_CLEAR_ALL 1047        // hidden
#define IDC_CONVERTER 1048
#define IDC_RECORD_STOP 1049
#define IDC_ELAPSED 1051
#define IDC_RECORD_CALL 1052
#define IDC_RECORD_REGION 1053
#define IDC_STATUS 1056

// Window icons: the program's icon and its other half while it blinks.
#define IDI_MAIN 128
#define IDI_BLINK 225
// The region selector's class icon is the named icon resource "VEVURU".

// Image lists of the check-box list: the header's images, the list's check
// boxes (unchecked, checked; magenta mask) and its small images (white mask).
#define IDB_HEADER_IMAGES 130
#define IDB_CHECKBOXES 133
#define IDB_LIST_IMAGES 134

// The floating stop window, its controls and its context menu.
#define IDD_FLOAT_STOP 232
#define IDR_FLOAT_MENU 233
#define IDC_FLOAT_STOP 1054
#define IDC_FLOAT_FRAME 1055
#define ID_FLOAT_SHOW 32771
#define ID_FLOAT_EXIT 32772

// Commands of the output list's context menu that no button of the main
// window sends: open the recording (as a double-click does) and convert it.
#define ID_LIST_PLAY 32773
#define ID_LIST_CONVERT 32774

// The command the floating stop window sends its owner to stop the recording;
// the main window handles it like its stop button.
#define ID_STOP_RECORDING 122

// Turns automatic call recording on or off. An item of the main window's
// system menu (so a multiple of 16 below 0xF000) that any other menu of the
// main window may carry as well: the window takes it as a command too.
#define ID_AUTO_RECORD 0x7FF0

// Pictures of the skinned sliders and the progress bar (magenta transparent).
// The trim dialog's marker bar: channel, thumb, dragged thumb, selection bar,
// start and end markers.
#define IDB_TRIM_CHANNEL 213
#define IDB_TRIM_SELECTION 214
#define IDB_TRIM_THUMB 216
#define IDB_TRIM_THUMB_DRAG 217
#define IDB_TRIM_START 218
#define IDB_TRIM_END 219
// The track bars: a channel for the 220-pixel position sliders, a longer one
// for the 245-pixel effect sliders, and the thumb at rest and pressed.
#define IDB_TRACK_CHANNEL 220
#define IDB_TRACK_CHANNEL_WIDE 221
#define IDB_TRACK_THUMB 222
#define IDB_TRACK_THUMB_PRESSED 223
// The progress bar: its empty trough and its filled bar.
#define IDB_PROGRESS_TROUGH 240
#define IDB_PROGRESS_BAR 241

// The audio and video settings dialog.
#define IDD_SETTINGS 388
#define IDC_SETTINGS_VIDEO_BITRATE 1105
#define IDC_SETTINGS_RESOLUTION 1114
#define IDC_SETTINGS_CHANNELS 1116
#define IDC_SETTINGS_AUDIO_BITRATE 1118
#define IDC_SETTINGS_UNUSED1 1103
#define IDC_SETTINGS_UNUSED2 1104
#define IDC_SETTINGS_UNUSED3 1115
#define IDC_SETTINGS_UNUSED4 1117
#define IDC_SETTINGS_CLOSE 1136
#define IDC_SETTINGS_VIDEO_GROUP 1138
#define IDC_SETTINGS_AUDIO_GROUP 1139

// The trim dialog (the editing dialogs' frame ids are given per dialog).
#define IDD_TRIM 211
#define IDC_TRIM_END_TIME 1037
#define IDC_TRIM_LENGTH 1038
#define IDC_TRIM_RESET 1051
#define IDC_TRIM_PREVIEW 1054
#define IDC_TRIM_PLAY 1055
#define IDC_TRIM_STOP 1056
#define IDC_TRIM_PAUSE 1057
#define IDC_TRIM_START_TIME 1058
#define IDC_TRIM_START_OK 1059
#define IDC_TRIM_END_OK 1060
#define IDC_TRIM_MARKERS 1061
#define IDC_TRIM_CLOSE 1062

// The crop and zoom dialog.
#define IDD_CROP 345
#define IDC_CROP_PREVIEW 1002
#define IDC_CROP_POSITION 1036
#define IDC_CROP_MODE_LIST 1065
#define IDC_CROP_ZOOM_LIST 1074
#define IDC_CROP_CLOSE 1096
#define IDC_CROP_RESET 1097
#define IDC_CROP_TOP 1121
#define IDC_CROP_TOP_SPIN 1122
#define IDC_CROP_LEFT 1123
#define IDC_CROP_LEFT_SPIN 1124
#define IDC_CROP_RIGHT 1125
#define IDC_CROP_RIGHT_SPIN 1126
#define IDC_CROP_BOTTOM 1127
#define IDC_CROP_BOTTOM_SPIN 1128
#define IDC_CROP_PAUSE 1131
#define IDC_CROP_PLAY 1132
#define IDC_CROP_STOP 1133
// Created hidden; they play no part.
#define IDC_CROP_UNUSED_PLUS 1140
#define IDC_CROP_UNUSED_MINUS 1141
#define IDC_CROP_UNUSED_EFFECT 1142
#define IDC_CROP_UNUSED_BRIGHTNESS 1143

// The effects dialog.
#define IDD_EFFECT 390
#define IDC_EFFECT_PREVIEW 1002
#define IDC_EFFECT_PLAY 1005
#define IDC_EFFECT_BRIGHTNESS 1036
#define IDC_EFFECT_STOP 1059
#define IDC_EFFECT_CONTRAST 1089
#define IDC_EFFECT_SATURATION 1090
#define IDC_EFFECT_VOLUME 1091
#define IDC_EFFECT_POSITION 1092
#define IDC_EFFECT_CLOSE 1096
#define IDC_EFFECT_RESET 1097
#define IDC_EFFECT_LIST 1119
#define IDC_EFFECT_PAUSE 1130
