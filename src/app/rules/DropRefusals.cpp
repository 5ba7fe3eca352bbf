#include "app/rules/DropRefusals.h"

namespace app {

namespace {

std::string ReasonText(const RefusedFile& file) {
    switch (file.reason) {
    case DropRefusal::NameTaken: return "同じ名前のファイルがあります。";
    case DropRefusal::Folder: return "フォルダは移動・コピーできません。";
    case DropRefusal::InUse: return "ほかのプログラムが使用中です。";
    case DropRefusal::Missing: return "ファイルが見つかりません。";
    case DropRefusal::Denied: return "アクセスが拒否されました。";
    case DropRefusal::Other: break;
    }
    return "エラー " + std::to_string(file.error) + "。";
}

}  // namespace

std::string DropRefusalMessage(bool move, const std::vector<RefusedFile>& refused) {
    if (refused.empty()) return std::string();
    std::string text = move ? "移動に失敗しました。" : "コピーに失敗しました。";
    text += "\n";
    for (std::size_t i = 0; i < refused.size() && i < kRefusalsListed; ++i)
        text += "\n" + refused[i].path + "\n    " + ReasonText(refused[i]);
    if (refused.size() > kRefusalsListed)
        text += "\nほか " + std::to_string(refused.size() - kRefusalsListed) + " 件";
    return text;
}

}  // namespace app
