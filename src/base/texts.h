// The user interface texts, as code page 932 bytes. Written as escapes so that every compiler
// (GCC, Clang, MSVC) produces the same bytes whatever its source and execution character sets;
// the readable text stands in the comment. Regenerate with tests/tools/cp932_escape.py.
#pragma once

namespace korvo {

// 設定ファイル異常
constexpr char TEXT_CONFIG_ERROR[] = "\x90\xDD\x92\xE8\x83t\x83@\x83" "C\x83\x8B\x88\xD9\x8F\xED";
// エラー
constexpr char TEXT_ERROR_CAPTION[] = "\x83G\x83\x89\x81[";
// ダウンロード失敗
constexpr char TEXT_DOWNLOAD_FAILED[] = "\x83_\x83" "E\x83\x93\x83\x8D\x81[\x83h\x8E\xB8\x94s";
// 初期化エラー
constexpr char TEXT_INIT_ERROR_CAPTION[] = "\x8F\x89\x8A\xFA\x89\xBB\x83G\x83\x89\x81[";
// オープンエラー
constexpr char TEXT_OPEN_ERROR_CAPTION[] = "\x83I\x81[\x83v\x83\x93\x83G\x83\x89\x81[";
// 読み込みエラー
constexpr char TEXT_READ_ERROR_CAPTION[] = "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x83G\x83\x89\x81[";
// 書き込みエラー
constexpr char TEXT_WRITE_ERROR_CAPTION[] = "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x83G\x83\x89\x81[";
// タイムアウトにより終了します！
constexpr char TEXT_TIMEOUT[] = "\x83^\x83" "C\x83\x80\x83" "A\x83" "E\x83g\x82\xC9\x82\xE6\x82\xE8\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81I";
// ダウンロード専用「コルボ」
constexpr char TEXT_TIMEOUT_CAPTION[] = "\x83_\x83" "E\x83\x93\x83\x8D\x81[\x83h\x90\xEA\x97p\x81u\x83R\x83\x8B\x83{\x81v";
// バージョン情報
constexpr char TEXT_VERSION_CAPTION[] = "\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1";
// バージョン
constexpr char TEXT_VERSION_LABEL[] = "\x83o\x81[\x83W\x83\x87\x83\x93";
// フォルダを選択してください ： (the folder browser's title, followed by the file name)
constexpr char TEXT_BROWSE_TITLE[] = "\x83t\x83H\x83\x8B\x83_\x82\xF0\x91I\x91\xF0\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2 \x81" "F ";
// URL が長すぎます。使える URL は 2083 文字までです。
constexpr char TEXT_URL_TOO_LONG[] = "URL \x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81" "B\x8Eg\x82\xA6\x82\xE9 URL \x82\xCD 2083 \x95\xB6\x8E\x9A\x82\xDC\x82\xC5\x82\xC5\x82\xB7\x81" "B";
// コマンドラインが長すぎるため、プログラムを起動しません。
constexpr char TEXT_COMMAND_LINE_TOO_LONG[] = "\x83R\x83}\x83\x93\x83h\x83\x89\x83" "C\x83\x93\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xF0\x8BN\x93\xAE\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81" "B";

// The download's progress window.
// ダウンロード中
constexpr char TEXT_PROGRESS_CAPTION[] = "\x83_\x83" "E\x83\x93\x83\x8D\x81[\x83h\x92\x86";
// キャンセル
constexpr char TEXT_CANCEL[] = "\x83L\x83\x83\x83\x93\x83Z\x83\x8B";
// バイト
constexpr char TEXT_BYTES[] = "\x83o\x83" "C\x83g";
// /秒
constexpr char TEXT_PER_SECOND[] = "/\x95" "b";

}  // namespace korvo
