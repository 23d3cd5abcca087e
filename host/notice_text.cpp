#include "host/notice_text.h"

#include "text/utf16.h"

namespace yorimemo {

namespace {

// 付箋のファイルを読み込めません
constexpr wchar_t kCannotReadTitle[] =
    L"\u4ED8\u7B8B\u306E\u30D5\u30A1\u30A4\u30EB\u3092\u8AAD\u307F\u8FBC\u3081\u307E\u305B\u3093";
// ほかのプログラムが開いている可能性があります。読み込めるまで何も書き込まず、再試行します。
constexpr wchar_t kCannotReadBody[] =
    L"\u307B\u304B\u306E\u30D7\u30ED\u30B0\u30E9\u30E0\u304C\u958B\u3044\u3066\u3044\u308B\u53EF"
    L"\u80FD\u6027\u304C\u3042\u308A\u307E\u3059\u3002\u8AAD\u307F\u8FBC\u3081\u308B\u307E\u3067"
    L"\u4F55\u3082\u66F8\u304D\u8FBC\u307E\u305A\u3001\u518D\u8A66\u884C\u3057\u307E\u3059\u3002";
// 付箋のファイルを読み込みました
constexpr wchar_t kReadAgainTitle[] =
    L"\u4ED8\u7B8B\u306E\u30D5\u30A1\u30A4\u30EB\u3092\u8AAD\u307F\u8FBC\u307F\u307E\u3057\u305F";
// 保存されていた付箋を表示し、その間に作った付箋も保存しました。
constexpr wchar_t kReadAgainBody[] =
    L"\u4FDD\u5B58\u3055\u308C\u3066\u3044\u305F\u4ED8\u7B8B\u3092\u8868\u793A\u3057\u3001\u305D"
    L"\u306E\u9593\u306B\u4F5C\u3063\u305F\u4ED8\u7B8B\u3082\u4FDD\u5B58\u3057\u307E\u3057\u305F"
    L"\u3002";
// 付箋を保存できません
constexpr wchar_t kCannotSaveTitle[] =
    L"\u4ED8\u7B8B\u3092\u4FDD\u5B58\u3067\u304D\u307E\u305B\u3093";
// 変更は、保存できるまで再試行します。
constexpr wchar_t kCannotSaveBody[] =
    L"\u5909\u66F4\u306F\u3001\u4FDD\u5B58\u3067\u304D\u308B\u307E\u3067\u518D\u8A66\u884C\u3057"
    L"\u307E\u3059\u3002";
// 付箋を保存しました
constexpr wchar_t kSavedAgainTitle[] = L"\u4ED8\u7B8B\u3092\u4FDD\u5B58\u3057\u307E\u3057\u305F";
// 保存できなかった変更をすべて保存しました。
constexpr wchar_t kSavedAgainBody[] =
    L"\u4FDD\u5B58\u3067\u304D\u306A\u304B\u3063\u305F\u5909\u66F4\u3092\u3059\u3079\u3066\u4FDD"
    L"\u5B58\u3057\u307E\u3057\u305F\u3002";
// 付箋が100枚あるため、新しい付箋を保存できません。付箋を1枚消去すると保存します。
constexpr wchar_t kNoFreeSlotBody[] =
    L"\u4ED8\u7B8B\u304C100\u679A\u3042\u308B\u305F\u3081\u3001\u65B0\u3057\u3044\u4ED8\u7B8B"
    L"\u3092\u4FDD\u5B58\u3067\u304D\u307E\u305B\u3093\u3002\u4ED8\u7B8B\u30921\u679A\u6D88\u53BB"
    L"\u3059\u308B\u3068\u4FDD\u5B58\u3057\u307E\u3059\u3002";
// 付箋のファイルを書き戻しました
constexpr wchar_t kWrittenBackTitle[] =
    L"\u4ED8\u7B8B\u306E\u30D5\u30A1\u30A4\u30EB\u3092\u66F8\u304D\u623B\u3057\u307E\u3057\u305F";
// ファイルが見つからなかったため、表示している付箋をすべて書き込みました。
constexpr wchar_t kWrittenBackBody[] =
    L"\u30D5\u30A1\u30A4\u30EB\u304C\u898B\u3064\u304B\u3089\u306A\u304B\u3063\u305F\u305F"
    L"\u3081\u3001\u8868\u793A\u3057\u3066\u3044\u308B\u4ED8\u7B8B\u3092\u3059\u3079\u3066"
    L"\u66F8\u304D\u8FBC\u307F\u307E\u3057\u305F\u3002";
// ほかのPCのコピーから付箋を戻しました
constexpr wchar_t kCopiesMergedTitle[] =
    L"\u307B\u304B\u306EPC\u306E\u30B3\u30D4\u30FC\u304B\u3089\u4ED8\u7B8B\u3092\u623B\u3057"
    L"\u307E\u3057\u305F";
// 同期サービスが残したコピーから戻した付箋:
constexpr wchar_t kCopiesMergedLead[] =
    L"\u540C\u671F\u30B5\u30FC\u30D3\u30B9\u304C\u6B8B\u3057\u305F\u30B3\u30D4\u30FC\u304B"
    L"\u3089\u623B\u3057\u305F\u4ED8\u7B8B: ";
// 枚。コピーは名前の末尾に .merged を付けて残しました。
constexpr wchar_t kCopiesMergedTail[] =
    L"\u679A\u3002\u30B3\u30D4\u30FC\u306F\u540D\u524D\u306E\u672B\u5C3E\u306B .merged "
    L"\u3092\u4ED8\u3051\u3066\u6B8B\u3057\u307E\u3057\u305F\u3002";
// コピーの付箋を戻せません
constexpr wchar_t kCopyLeftTitle[] =
    L"\u30B3\u30D4\u30FC\u306E\u4ED8\u7B8B\u3092\u623B\u305B\u307E\u305B\u3093";
// 同期サービスが残したコピーの付箋を戻せなかったため、コピーをそのまま残しました。
constexpr wchar_t kCopyLeftBody[] =
    L"\u540C\u671F\u30B5\u30FC\u30D3\u30B9\u304C\u6B8B\u3057\u305F\u30B3\u30D4\u30FC\u306E"
    L"\u4ED8\u7B8B\u3092\u623B\u305B\u306A\u304B\u3063\u305F\u305F\u3081\u3001\u30B3\u30D4"
    L"\u30FC\u3092\u305D\u306E\u307E\u307E\u6B8B\u3057\u307E\u3057\u305F\u3002";
// 付箋を別のファイルに残しました
constexpr wchar_t kNoteKeptTitle[] =
    L"\u4ED8\u7B8B\u3092\u5225\u306E\u30D5\u30A1\u30A4\u30EB\u306B\u6B8B\u3057\u307E\u3057"
    L"\u305F";
// ほかのPCで書き換えられた文章を置く空きがないため、次のファイルに残しました。
constexpr wchar_t kNoteKeptBody[] =
    L"\u307B\u304B\u306EPC\u3067\u66F8\u304D\u63DB\u3048\u3089\u308C\u305F\u6587\u7AE0\u3092"
    L"\u7F6E\u304F\u7A7A\u304D\u304C\u306A\u3044\u305F\u3081\u3001\u6B21\u306E\u30D5\u30A1"
    L"\u30A4\u30EB\u306B\u6B8B\u3057\u307E\u3057\u305F\u3002";
// 今日のバックアップを作れません
constexpr wchar_t kBackupFailedTitle[] =
    L"\u4ECA\u65E5\u306E\u30D0\u30C3\u30AF\u30A2\u30C3\u30D7\u3092\u4F5C\u308C\u307E"
    L"\u305B\u3093";
// 付箋の保存は続けます。次の保存のときにもう一度試します。バックアップの場所:
constexpr wchar_t kBackupFailedBody[] =
    L"\u4ED8\u7B8B\u306E\u4FDD\u5B58\u306F\u7D9A\u3051\u307E\u3059\u3002\u6B21\u306E"
    L"\u4FDD\u5B58\u306E\u3068\u304D\u306B\u3082\u3046\u4E00\u5EA6\u8A66\u3057\u307E"
    L"\u3059\u3002\u30D0\u30C3\u30AF\u30A2\u30C3\u30D7\u306E\u5834\u6240:";
// 保存できていない変更があります。\n今終了すると、その変更は失われます。終了しますか？
constexpr wchar_t kQuitUnsaved[] =
    L"\u4FDD\u5B58\u3067\u304D\u3066\u3044\u306A\u3044\u5909\u66F4\u304C\u3042\u308A\u307E\u3059"
    L"\u3002\n\u4ECA\u7D42\u4E86\u3059\u308B\u3068\u3001\u305D\u306E\u5909\u66F4\u306F\u5931\u308F"
    L"\u308C\u307E\u3059\u3002\u7D42\u4E86\u3057\u307E\u3059\u304B\uFF1F";
// 次の文字は付箋のファイルに保存できません:
constexpr wchar_t kUnstorableLead[] =
    L"\u6B21\u306E\u6587\u5B57\u306F\u4ED8\u7B8B\u306E\u30D5\u30A1\u30A4\u30EB\u306B\u4FDD\u5B58"
    L"\u3067\u304D\u307E\u305B\u3093:\n";
// 取り除くか、ほかの文字に書き換えてから「完了」を押してください。
constexpr wchar_t kUnstorableHint[] =
    L"\u53D6\u308A\u9664\u304F\u304B\u3001\u307B\u304B\u306E\u6587\u5B57\u306B\u66F8\u304D\u63DB"
    L"\u3048\u3066\u304B\u3089\u300C\u5B8C\u4E86\u300D\u3092\u62BC\u3057\u3066\u304F\u3060\u3055"
    L"\u3044\u3002";
constexpr wchar_t kOpenQuote[] = L"\u300C";   // 「
constexpr wchar_t kCloseQuote[] = L"\u300D";  // 」

// Ctrl+Alt+Y を使えません
constexpr wchar_t kHotKeyTakenTitle[] = L"Ctrl+Alt+Y \u3092\u4F7F\u3048\u307E\u305B\u3093";
// ほかのプログラムがこのキーを使っています。この PC では、このキーで付箋は作られません。
constexpr wchar_t kHotKeyTakenBody[] =
    L"\u307B\u304B\u306E\u30D7\u30ED\u30B0\u30E9\u30E0\u304C\u3053\u306E\u30AD\u30FC\u3092\u4F7F"
    L"\u3063\u3066\u3044\u307E\u3059\u3002\u3053\u306E PC "
    L"\u3067\u306F\u3001\u3053\u306E\u30AD\u30FC\u3067\u4ED8\u7B8B\u306F\u4F5C\u3089\u308C\u307E"
    L"\u305B\u3093\u3002";

// The shell's limits for a balloon's title and text in UTF-16 units, terminator included.
constexpr std::size_t kTitleSize = 64;
constexpr std::size_t kBodySize = 256;

NoticeText withFile(const wchar_t* title, const wchar_t* body, std::wstring_view iniPath,
                    bool warning) {
    std::wstring text = std::wstring(body) + L"\n" + std::wstring(iniPath);
    return {std::wstring(PrefixWithin(title, kTitleSize - 1)),
            std::wstring(PrefixWithin(text, kBodySize - 1)), warning};
}

}  // namespace

NoticeText noticeText(Notice notice, std::wstring_view iniPath, int count, std::wstring_view path) {
    switch (notice) {
        case Notice::kCannotRead:
            return withFile(kCannotReadTitle, kCannotReadBody, iniPath, true);
        case Notice::kReadAgain:
            return withFile(kReadAgainTitle, kReadAgainBody, iniPath, false);
        case Notice::kCannotSave:
            return withFile(kCannotSaveTitle, kCannotSaveBody, iniPath, true);
        case Notice::kSavedAgain:
            return withFile(kSavedAgainTitle, kSavedAgainBody, iniPath, false);
        case Notice::kNoFreeSlot:
            return {kCannotSaveTitle, kNoFreeSlotBody, true};
        case Notice::kWrittenBack:
            return withFile(kWrittenBackTitle, kWrittenBackBody, iniPath, false);
        case Notice::kCopiesMerged: {
            const std::wstring body =
                kCopiesMergedLead + std::to_wstring(count) + kCopiesMergedTail;
            return {kCopiesMergedTitle, std::wstring(PrefixWithin(body, kBodySize - 1)), false};
        }
        case Notice::kCopyLeft:
            return withFile(kCopyLeftTitle, kCopyLeftBody, path, true);
        case Notice::kNoteKept:
            return withFile(kNoteKeptTitle, kNoteKeptBody, path, false);
        case Notice::kHotKeyTaken:
            return {kHotKeyTakenTitle, kHotKeyTakenBody, true};
        case Notice::kBackupFailed:
            return withFile(kBackupFailedTitle, kBackupFailedBody, path, true);
    }
    return {};
}

const wchar_t* quitUnsavedQuestion() {
    return kQuitUnsaved;
}

std::wstring unstorableTextMessage(std::wstring_view characters) {
    // Each character in corner brackets, so a space or a combining mark is seen too.
    std::wstring message = kUnstorableLead;
    for (std::size_t pos = 0; pos < characters.size();) {
        const std::size_t length = CharLength(characters, pos);
        message += kOpenQuote;
        message += characters.substr(pos, length);
        message += kCloseQuote;
        pos += length;
    }
    message += L"\n";
    message += kUnstorableHint;
    return message;
}

}  // namespace yorimemo
