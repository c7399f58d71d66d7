// Resource identifiers shared by the resource scripts and the code that
// loads them. Everything outside the RC_INVOKED guard is plain #define so
// both windres and rc.exe can read it.
#ifndef TAVOLISK_RESOURCE_H
#define TAVOLISK_RESOURCE_H

// String table: identifiers 101..111 (block 7, which starts at 96).
#define IDS_LOCK 101
#define IDS_HELP 102
#define IDS_ABOUT 103
#define IDS_MOVE_TRANSPARENT 104
#define IDS_EXIT 105
#define IDS_VISIT 106
#define IDS_CREATED_BY 107
#define IDS_HELP_TEXT 108
#define IDS_CLOSE 109
#define IDS_NOTICE 110
#define IDS_ADVANCED_VIEW 111
// Additions continue from 112 (block 8).
#define IDS_COPY 112
#define IDS_ZOOM 113
#define IDS_CONTRAST 114
// Picking additions: sample size, history and palettes (115..139).
#define IDS_SAMPLE 115
#define IDS_SAMPLE_1 116
#define IDS_SAMPLE_3 117
#define IDS_SAMPLE_5 118
#define IDS_SAMPLE_9 119
#define IDS_MOST_COMMON 120
#define IDS_HISTORY 121
#define IDS_HISTORY_EMPTY 122
#define IDS_SAVE_PALETTE 123
#define IDS_CLEAR_HISTORY 124
#define IDS_FILTER_GIMP 125
#define IDS_FILTER_CSS 126
#define IDS_FILTER_TEXT 127
#define IDS_SAVE_PALETTE_TITLE 128
#define IDS_SAVE_FAILED 129
// Accessibility texts from 140: the language of colour names ("en", "it"),
// what a screen reader hears after a copy, and the names of controls
// that show no words of their own.
#define IDS_NAME_LANGUAGE 140
#define IDS_COPIED 141
#define IDS_SLIDER_RED 142
#define IDS_SLIDER_GREEN 143
#define IDS_SLIDER_BLUE 144
#define IDS_CORNER_TOP_RIGHT 145
#define IDS_CORNER_BOTTOM_RIGHT 146
#define IDS_CORNER_BOTTOM_LEFT 147
#define IDS_CORNER_TOP_LEFT 148
#define IDS_STOP_COLOUR 149

// Application icon: the group and its six images, in the group's order.
#define IDI_APP 1
#define IDI_APP_32_4BIT 30001
#define IDI_APP_16_4BIT 30002
#define IDI_APP_32_8BIT 30003
#define IDI_APP_16_8BIT 30004
#define IDI_APP_32_32BIT 30005
#define IDI_APP_16_32BIT 30006

// Raw resource types for the icon, written by number: windres reads the
// RT_ICON and RT_GROUP_ICON macros as type names, not as 3 and 14.
#define RESTYPE_ICON 3
#define RESTYPE_GROUP_ICON 14

#define IDB_SKIN 200
#define IDB_BULB 201

#ifndef RC_INVOKED

// Cursors are named by string.
inline constexpr wchar_t kCursorMano[] = L"MANO";
inline constexpr wchar_t kCursorManoDrag[] = L"MANO_DRAG";
inline constexpr wchar_t kCursorLinkHand[] = L"LINKHAND";

#endif // RC_INVOKED

#endif // TAVOLISK_RESOURCE_H
