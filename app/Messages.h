// Every text the program shows, held once; written in UTF-8 here and compiled into code page 932.
#pragma once

namespace msg {

// Captions
constexpr const char kCaptionError[] = "エラー";
constexpr const char kCaptionErrorLatin[] = "ERROR";

// Dialog texts
constexpr const char kInitialDescription[] = "...";
constexpr const char kPrompt[] = "暗号の解読用キーを入力してください";
constexpr const char kRestoreDescription[] = "暗号化されたファイルを元のファイルに復元します";
constexpr const char kDropRequest[] = "<<エラー>>\nファイルまたはフォルダーをVelmoraの上にドラッグアンドドロップしてください。";
constexpr const char kWildcardFound[] = "<<エラー>>\nファイル名の中にワイルドカードが発見されました。処理を中止します。";
constexpr const char kSourceNotFound[] = "<<エラー>>\nファイルまたはフォルダーが見つかりません。処理を中止します。";
constexpr const char kWillConvert[] = "を暗号に変換します。\n";
constexpr const char kIsFolder[] = "指定されているのはフォルダです。内容を暗号化し一つのファイルを作成します。";
constexpr const char kSourceLength[] = "元のファイルの長さ";
constexpr const char kBytes[] = "バイト。";
constexpr const char kHiddenPassphrase[] = "xxxxxxxx";

// Start command
constexpr const char kPassphraseTooShort[] = "解読用キーは10文字以上でなければなりません。";
constexpr const char kPassphraseTooLong[] = "解読用キーが長すぎます。1023バイト以下にしてください。";
constexpr const char kPassphraseWrong[] = "解読用キーが間違っています。解読操作を中止します。";
constexpr const char kCipherFileTooLarge[] = "暗号ファイルが4GBを超えるため作成できません。";

// Start-up
constexpr const char kProgramNotFound021[] = "Velmoraのファイルが見つかりません。おそらくファイル名が変更されているのでしょう。あるいは，起動したパスが間違っています。もう一度最初からインストールしてください。021";
constexpr const char kProgramUnreadable022[] = "Velmoraのファイルが読み込めません。アクセス中に他のプログラムからアクセスされたと思われます。022";
constexpr const char kProgramNotClosed023[] = "Velmora自身をクローズできません。他のプログラムからアクセスされていると思われます。023";

// Sealing
constexpr const char kCipherNotCreated015[] = "暗号ファイルを書き出しができません。デバイスが書き込み禁止でないか，あるいは書き込みのための空きスペースが不足していなか調べてください。015";
constexpr const char kProgramNotFound016[] = "Velmoraのファイルが見つかりません。ファイル名が変更されているか，起動したパスが間違っています。016";
constexpr const char kProgramReadFailed017[] = "Velmoraのファイルの読み込みに失敗しました。インストールをやりなおしてください。017";
constexpr const char kStubNotWritten018[] = "暗号ファイルを書き出すことができません。デスクに空き領域が無いか，あるいは起動したディスクが書き込み禁止になっています。018";
constexpr const char kMarkerNotWritten019[] = "暗号ファイルを書き出すことができません。ディスクの空き領域がないと思われます。019";
constexpr const char kPieceNotWritten009[] = "ファイルを書き出すことができません。ディスクの空きスペースが不足していると思われます。確認してください。009";
constexpr const char kSourceNotOpened005[] = "暗号化する元のファイルをオープンできません。ファイルに対するアクセス権があるか，他のプログラムで使用中かどうか，調べてください。005";
constexpr const char kSourceNotRead006[] = "ファイルを読み込むことができません。ファイルが他からアクセスされていないか確かめてください。006";
constexpr const char kShortRead[] = "ERROR";
constexpr const char kContentNotWritten007[] = "ファイルを書き出すことができません。ディスクの空きスペースが不足していると思われます。007";
constexpr const char kSourceNotClosed008[] = "ファイルをクローズできません。008";
constexpr const char kCipherNotClosed020[] = "ファイルのクローズに失敗しました。020";

// Opening
constexpr const char kCipherNotOpened010[] = "ファイルのオープンに失敗しました。ファイルが存在するか。ファイルをアクセスする権限があるかどうか確認してください。010";
constexpr const char kCipherNotSeeked011[] = "ファイルのシークに失敗しました。暗号化されているファイルに異常があるかもしれません。もう一度試してみてください。011";
constexpr const char kKeyRecordNotRead012[] = "ファイルの読み込みに失敗しました。暗号化されているファイルに異常があるかもしれません。もう一度試してみてください。012";
constexpr const char kHeaderNotRead013[] = "ファイルの読み込みに失敗しました。暗号化されているファイルに異常があるかもしれません。もう一度試してみてください。013";
constexpr const char kNameNotRead014[] = "ファイルの読み込みに失敗しました。暗号化されているファイルに異常があるかもしれません。もう一度試してみてください。014";
constexpr const char kFileNotCreated004[] = "ファイルが作成できません。ディスクの空きスペースが不足していないか。ディスクが書き込み禁止でないか確認してください。 004";
constexpr const char kContentNotRead001[] = "ファイル読み込みエラー。暗号化されているファイルが壊れている可能性があります。もう一度試みてみてください。 001";
constexpr const char kFileNotWritten002[] = "ファイルが書き出せません。ディスクの空き領域が不足していると思われます。確認してください。 002";
constexpr const char kFileNotClosed003[] = "ファイルがクローズできません。 003";

}  // namespace msg
