// The user interface texts, in UTF-8 like every string of the core. The source file is UTF-8 and
// the compilers are told so (MSVC with /utf-8; GCC and Clang read and write UTF-8 by default).
#pragma once

namespace korvo {

constexpr char TEXT_CONFIG_ERROR[] = "設定ファイル異常";
constexpr char TEXT_ERROR_CAPTION[] = "エラー";
constexpr char TEXT_DOWNLOAD_FAILED[] = "ダウンロード失敗";
constexpr char TEXT_INIT_ERROR_CAPTION[] = "初期化エラー";
constexpr char TEXT_OPEN_ERROR_CAPTION[] = "オープンエラー";
constexpr char TEXT_READ_ERROR_CAPTION[] = "読み込みエラー";
constexpr char TEXT_WRITE_ERROR_CAPTION[] = "書き込みエラー";
constexpr char TEXT_TIMEOUT[] = "タイムアウトにより終了します！";
constexpr char TEXT_TIMEOUT_CAPTION[] = "ダウンロード専用「コルボ」";
constexpr char TEXT_VERSION_CAPTION[] = "バージョン情報";
constexpr char TEXT_VERSION_LABEL[] = "バージョン";
// A name or URL that is not valid Unicode (a lone surrogate), refused rather than respelt.
constexpr char TEXT_INVALID_TEXT[] = "使用できない文字を含んでいます";
// The folder browser's title, followed by the file name.
constexpr char TEXT_BROWSE_TITLE[] = "フォルダを選択してください ： ";
constexpr char TEXT_URL_TOO_LONG[] = "URL が長すぎます。使える URL は 2083 文字までです。";
constexpr char TEXT_COMMAND_LINE_TOO_LONG[] = "コマンドラインが長すぎるため、プログラムを起動しません。";
// A batch file's command line that cmd.exe would change by expanding a variable, or that holds
// what cmd.exe cannot pass on as written.
constexpr char TEXT_CHANGED_BY_CMD[] =
    "コマンドラインにコマンドプロンプトが書き換える %名前% があるため、バッチファイルを起動しません。";
constexpr char TEXT_NOT_PASSABLE_TO_CMD[] =
    "コマンドラインにコマンドプロンプトへそのまま渡せない文字 (\" や改行) があるため、バッチファイルを起動しません。";

// The downloaded file was removed by the user's security settings or a virus scan.
constexpr char TEXT_REMOVED_BY_SECURITY[] =
    "ダウンロードしたファイルは、セキュリティの設定またはウイルス対策ソフトにより削除されました。";

// The download's progress window.
constexpr char TEXT_CANCEL[] = "キャンセル";
constexpr char TEXT_BYTES[] = "バイト";
constexpr char TEXT_PER_SECOND[] = "/秒";

}  // namespace korvo
