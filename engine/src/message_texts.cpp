#include "engine/message_texts.h"

#include "messages.h"

namespace quelbrix {

// Keep in step with resources/QuelbrixD.rc (a Wine test compares the two).
const char* EngineMessageText(int id) {
    switch (id) {
    case kMsgFileNotFound:
        return "ファイルが見つかりませんでした。";
    case kMsgOutOfMemory:
        return "メモリーが足りません。";
    case kMsgReadFailed:
        return "ファイルを読み込めませんでした。";
    case kMsgConversionFailed:
        return "漢字コード変換に失敗しました。";
    case kMsgSearchStopped:
        return "ユーザー操作によって検索は中断されました。";
    case kMsgErrorQuestion:
        return "検索中にエラーが発生しました。\nファイル名：%s\nエラー内容：%s\n\n"
               "検索をこのまま続行しますか？";
    case kMsgSummary:
        return "「%s」を検索した結果、\n%sに含まれる\n"
               "指定されたタイプのファイル%d個中のファイルのうち%d個の中に\n"
               "含まれていることが判明しました。";
    default:
        return nullptr;
    }
}

}  // namespace quelbrix
