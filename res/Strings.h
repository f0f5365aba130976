#pragma once

// Every text the program shows, byte for byte (UTF-8).
namespace kelvora::text {

// String table.
inline constexpr const char* kAboutMenuItem = "Kelvora のﾊﾞｰｼﾞｮﾝ情報(&A)...";
inline constexpr const char* kPreviewMenuItem = "プレビュー(&P)...";

// Labels the handlers put on controls.
inline constexpr const char* kAutoLabel = "：AUTO";
inline constexpr const char* kManualLabel = "：MANUAL";
inline constexpr const char* kAppendLabel = "：付加する";
inline constexpr const char* kNoAppendLabel = "：付加しない";
inline constexpr const char* kOldNameDisplay = "元の名前";

// Settings file.
inline constexpr const char* kSettingsMissing = "ｉｎｉファイルがありませんので、既定値で起動します。";
inline constexpr const char* kSettingsUnreadable = "ｉｎｉファイルのレコード取得に失敗しました。既定値で起動します。";
inline constexpr const char* kSettingsOpenFailed = "ｉｎｉファイルのオープンに失敗しました。現在の設定は保存されません。";
inline constexpr const char* kSettingsWriteFailed = "ｉｎｉファイルの書き込みに失敗しました。現在の設定は保存されません。";

// Folder pickers.
inline constexpr const char* kPickSourceTitle = "変換対象フォルダーを選択してください";
inline constexpr const char* kPickDestTitle = "移動先フォルダーを選択してください";

// Batch checks.
inline constexpr const char* kSameFolder = "「変換対象フォルダ」と「移動先フォルダ」は別フォルダを指定して下さい。";
inline constexpr const char* kSourceMissing = "「変換対象フォルダ」にて指定されたフォルダは存在しません。再度確認して下さい。";
inline constexpr const char* kSourceSearchFailed = "変換対象フォルダの検索でエラーが発生しました。";
inline constexpr const char* kDestMissing = "「移動先フォルダ」にて指定されたフォルダは存在しません。再度確認して下さい。";
inline constexpr const char* kDestSearchFailed = "移動先フォルダの検索でエラーが発生しました。";
inline constexpr const char* kWalkMissing = "指定されたフォルダは存在しません。再度確認して下さい。";
inline constexpr const char* kWalkFailed = "フォルダの検索でエラーが発生しました。";
inline constexpr const char* kNextEntryFailed = "ファイル検索に失敗しました。";
inline constexpr const char* kNoFiles = "ファイルは１件もありません。";
inline constexpr const char* kDone = "完了！";

// Serial limit.
inline constexpr const char* kSerialOverflow = "自動連番カウンターがオーバーフローしました（9999）。";
inline constexpr const char* kSerialOverflowEnd = "一旦処理を終了します。";

// Rename outcomes.
inline constexpr const char* kInvalidName = "名前に無効な文字が含まれています。";
inline constexpr const char* kInvalidNameHint = "ファイル名にはマルチバイト文字（Unicode）または次の文字は使えません： /:*?<>|。";
inline constexpr const char* kDroppedNotFound = "指定したファイルが見つかりません。";
inline constexpr const char* kCheckFile = "ファイルを確認して下さい。";
inline constexpr const char* kTargetExists = "既に同名のファイルが存在しています（ EEXIST ）。";
inline constexpr const char* kRunInterrupted = "処理を中断します。";
inline constexpr const char* kRenameFailed = "ファイル名の変更に失敗しました。";
inline constexpr const char* kNameTooLong = "ファイル名が長すぎます。";
inline constexpr const char* kFolderRunNameHint = "もしくはファイル名にはマルチバイト文字（Unicode）または\t次の文字は使えません： /:*?<>|";
inline constexpr const char* kDroppedRunNameHint = "もしくはファイル名には次の文字は使えません： /:*?<>|";
inline constexpr const char* kCheckName = "名前を確認して下さい（ EEXIST ）。";

// The cause of a failed move, a line of its own under the failure, where the user can do something about it.
inline constexpr const char* kCauseVanished = "原因：ファイルまたはフォルダが見つかりません。移動または削除されていないか確認して下さい。";
inline constexpr const char* kCauseAccessDenied = "原因：アクセスが拒否されました。他のプログラムで使用中か、書き込みの権限がありません。";
inline constexpr const char* kCauseSourceChanged = "原因：コピー中にファイルが変更されました。ファイルを使用しているプログラムを終了して下さい。";
inline constexpr const char* kCauseCrossDevice = "原因：フォルダは別のドライブへ移動できません。";
inline constexpr const char* kCauseTooLarge = "原因：移動先のドライブはこの大きさのファイルを保存できません。";
inline constexpr const char* kCauseNoSpace = "原因：移動先のドライブの空き容量が足りません。";
inline constexpr const char* kCauseReadOnly = "原因：ドライブが読み取り専用のため、書き込みできません。";
inline constexpr const char* kCauseQuotaExceeded = "原因：移動先のディスク使用量が上限（クォータ）に達しました。";
// The preview window.
inline constexpr const char* kPreviewTitle = "プレビュー";
inline constexpr const char* kPreviewOldName = "元の名前";
inline constexpr const char* kPreviewNewName = "新しい名前";
inline constexpr const char* kPreviewWhat = "処理";
inline constexpr const char* kPreviewRefresh = "再表示(&R)";

// What a plan of the folder batch says about an entry, and its count line.
inline constexpr const char* kPlanMove = "移動";
inline constexpr const char* kPlanSkippedName = "移動しない（対象外の名前）";
inline constexpr const char* kPlanPlainFolder = "移動しない（フォルダ）";
inline constexpr const char* kPlanKeptFile = "移動しない（使用中の設定ファイル）";
inline constexpr const char* kPlanLaterRun = "次回の実行で移動";
inline constexpr const char* kPlanTargetExists = "ここで中断（同名のファイルが存在します）";
inline constexpr const char* kPlanPathTooLong = "ここで中断（パスが長すぎます）";
inline constexpr const char* kPlanSerialLimit = "ここで中断（連番が9999を超えます）";
inline constexpr const char* kPlanCountMoved = "移動";
inline constexpr const char* kPlanCountLeft = "移動しない";
inline constexpr const char* kPlanCountLater = "次回の実行";
inline constexpr const char* kPlanCountStop = "中断";
inline constexpr const char* kPlanCountUnit = "件";

}  // namespace kelvora::text
