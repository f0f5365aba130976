#include "res/Templates.h"

#include "res/resource.h"

namespace kelvora {
namespace {

constexpr unsigned kButton = kStyleTabStop;
constexpr unsigned kFolderEdit = kStyleBorder | kStyleTabStop | kStyleAutoHScroll;
constexpr unsigned kAutoBox = kStyleAuto | kStyleTabStop;

// Template order is tab order.
constexpr ControlTemplate kMainControls[] = {
    {IDOK, ControlKind::kPushButton, "変換＆移動", {7, 7, 47, 29}, kButton | kStyleDefault},
    {IDC_MOVE_ONLY, ControlKind::kPushButton, "移動のみ", {7, 43, 47, 29}, kButton},
    {IDCANCEL, ControlKind::kPushButton, "終了", {7, 80, 47, 29}, kButton},
    {IDC_SRC_FOLDER, ControlKind::kEdit, "", {120, 7, 112, 12}, kFolderEdit},
    {IDC_BROWSE_SRC, ControlKind::kPushButton, "参照", {233, 7, 18, 13}, kButton},
    {IDC_DST_FOLDER, ControlKind::kEdit, "", {120, 22, 112, 12}, kFolderEdit},
    {IDC_BROWSE_DST, ControlKind::kPushButton, "参照", {233, 22, 18, 13}, kButton},
    {IDC_PREFIX, ControlKind::kEdit, "", {68, 80, 45, 12}, kFolderEdit},
    {IDC_SERIAL, ControlKind::kEdit, "", {134, 80, 45, 12}, kFolderEdit | kStyleReadOnly},
    {IDC_NO_CONFIRM, ControlKind::kCheckBox, "：確認ダイアログを表示しない", {136, 39, 103, 8}, kAutoBox},
    {IDC_MODE_STAMP, ControlKind::kRadioButton, "年月日時分秒", {63, 40, 57, 10}, kAutoBox | kStyleGroup},
    {IDC_MODE_TEXT, ControlKind::kRadioButton, "指定文字列", {63, 53, 54, 10}, kStyleAuto},
    {IDC_AUTO, ControlKind::kCheckBox, "：AUTO", {70, 69, 48, 8}, kAutoBox},
    {IDC_OLD_NAME, ControlKind::kEdit, "", {196, 80, 46, 12}, kStyleBorder | kStyleReadOnly | kStyleCentre},
    {IDC_STATIC, ControlKind::kStatic, "＋", {124, 82, 8, 10}, kStyleGroup},
    {IDC_STATIC, ControlKind::kStatic, "＋", {184, 82, 8, 10}, kStyleGroup},
    {IDC_SERIAL_ON, ControlKind::kCheckBox, "：自動連番", {136, 69, 55, 8}, kAutoBox},
    {IDC_APPEND, ControlKind::kCheckBox, "：付加する", {198, 69, 53, 8}, kAutoBox},
    {IDC_STATIC, ControlKind::kStatic, "変換対象フォルダ：", {59, 9, 61, 10}, kStyleGroup},
    {IDC_STATIC, ControlKind::kStatic, "\u3000 移動先フォルダ：", {59, 23, 61, 10}, kStyleGroup},
    {IDC_STATIC, ControlKind::kStatic, "：処理件数", {181, 55, 35, 8}, kStyleGroup},
    {IDC_COUNT, ControlKind::kEdit, "", {134, 54, 45, 12}, kStyleBorder | kStyleReadOnly},
    {IDC_SWAPS, ControlKind::kEdit, "", {224, 54, 24, 12}, kStyleHidden | kStyleBorder | kStyleReadOnly},
    {IDC_STATIC, ControlKind::kGroupBox, "", {59, 34, 62, 61}, kStyleNone},
    {IDC_RESET_DEFAULTS, ControlKind::kPushButton, "Button4", {243, 37, 8, 7}, kStyleHidden},
    {IDC_SAVE_SETTINGS, ControlKind::kPushButton, "Button4", {243, 44, 8, 7}, kStyleHidden},
    {IDC_DRAGDROP, ControlKind::kCheckBox, "：ドラッグ＆ドロップを許可する", {70, 97, 102, 8}, kStyleAuto},
    {IDC_SORT, ControlKind::kCheckBox, "：内部ソートを行う", {179, 96, 69, 10}, kAutoBox},
};

constexpr ControlTemplate kAboutControls[] = {
    {IDC_STATIC, ControlKind::kIcon, "IDR_MAINFRAME", {13, 16, 0, 0}, kStyleNone},
    {IDC_STATIC, ControlKind::kStatic, "Kelvora Version 5.0", {40, 14, 99, 8}, kStyleNone},
    {IDC_STATIC, ControlKind::kStatic, "Copyright (C) 2026 Kelvora", {40, 33, 121, 8}, kStyleNone},
    {IDOK, ControlKind::kPushButton, "OK", {145, 7, 50, 21}, kButton | kStyleDefault | kStyleGroup},
};

constexpr DialogTemplate kMainDialog{
    IDD_MAIN, "Kelvora 5.0", "ＭＳ Ｐゴシック", 11, 258, 116, true, kMainControls};

constexpr DialogTemplate kAboutDialog{
    IDD_ABOUTBOX, "Kelvora のﾊﾞｰｼﾞｮﾝ情報", "ＭＳ Ｐゴシック", 9, 202, 55, false, kAboutControls};

}  // namespace

const DialogTemplate& MainDialogTemplate() { return kMainDialog; }

const DialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

}  // namespace kelvora
