#pragma once

// Ids of the dialog templates, their controls, menu commands, strings and icons.
namespace kelvora {

enum : int {
// windows.h has these two as macros of the same values.
#ifndef IDOK
  IDOK = 1,
  IDCANCEL = 2,
#endif

  IDM_ABOUTBOX = 0x0010,
  IDM_PREVIEW = 0x0020,
  IDD_ABOUTBOX = 100,
  IDS_ABOUTBOX = 101,
  IDD_MAIN = 102,
  IDR_MAINFRAME = 128,

  IDC_PREFIX = 1014,
  IDC_SERIAL = 1016,
  IDC_OLD_NAME = 1017,
  IDC_AUTO = 1018,
  IDC_COUNT = 1019,
  IDC_SERIAL_ON = 1020,
  IDC_APPEND = 1021,
  IDC_SWAPS = 1022,
  IDC_NO_CONFIRM = 1023,
  IDC_DRAGDROP = 1024,
  IDC_MOVE_ONLY = 1026,
  IDC_SRC_FOLDER = 1028,
  IDC_DST_FOLDER = 1029,
  IDC_MODE_STAMP = 1031,
  IDC_MODE_TEXT = 1032,
  IDC_BROWSE_SRC = 1033,
  IDC_BROWSE_DST = 1034,
  IDC_RESET_DEFAULTS = 1035,
  IDC_SAVE_SETTINGS = 1036,
  IDC_SORT = 1037,

  IDC_STATIC = -1,
};

}  // namespace kelvora
