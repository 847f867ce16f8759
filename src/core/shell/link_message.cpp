// Result-code tables of the NV-Link operations that the program reports to the user.
#include "shell/link_message.h"

#include <array>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"

namespace sorvane {

namespace {

struct Row {
    std::string_view operation;
    int code;
    std::string_view text;  // UTF-8 here, Shift-JIS once converted
};

// The texts are the control vendor's own wording, blanks and mixed character widths included.
constexpr Row kRows[] = {
    {"NVOpen", 0, "正常に実行されました。"},
    {"NVOpen", -1, " 取得済みデータより最新のデータがありません。"},
    {"NVOpen", -2, "セットアップダイアログでキャンセルが押されました。"},
    {"NVOpen", -111, "dataspec パラメータが不正です。"},
    {"NVOpen", -112, "fromdate パラメータが不正です。"},
    {"NVOpen", -114, "key パラメータが不正です。"},
    {"NVOpen", -115, "option パラメータが不正です。"},
    {"NVOpen", -116, "dataspec とoption の組み合わせが不正です。"},
    {"NVOpen", -201, "NVInit が行なわれていません。"},
    {"NVOpen", -202,
     "前回のNVOpen/NVRTOpen/NVMVOpen に対してNVClose が呼ばれていません。（オープン中）"},
    {"NVOpen", -211, "レジストリ内容が不正（レジストリ内容が不正に変更された）です。"},
    {"NVOpen", -301, "認証エラーが発生しました。"},
    {"NVOpen", -302, "サービスキーの有効期限切れです。"},
    {"NVOpen", -303, "サービスキーが設定されていません。（サービスキーが空値）"},
    {"NVOpen", -401, "NV-Link 内部エラーが発生しました。"},
    {"NVOpen", -411, "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。"},
    {"NVOpen", -412, "サーバーエラー（HTTP ステータス403 Forbidden ）が発生しました。"},
    {"NVOpen", -413, "サーバーエラー（HTTP ステータス200,403,404 以外）が発生しました。"},
    {"NVOpen", -421, "サーバーエラー（サーバーの応答が不正）が発生しました。"},
    {"NVOpen", -431, "サーバーエラー（サーバーアプリケーション内部エラー）が発生しました。"},
    {"NVOpen", -501, "セットアップ処理においてＣＤ －ＲＯＭ が無効です。"},
    {"NVOpen", -504, "サーバーがメンテナンス中です。"},

    {"NVStatus", 0, "正常に実行されました。"},
    {"NVStatus", -201, "NVInitが行なわれていません。"},
    {"NVStatus", -203, "NVOpenが行なわれていません。"},
    {"NVStatus", -502, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）"},

    {"NVRead", 0, "全ファイルの読み込みが終了しました。（ＥＯＦ ）"},
    {"NVRead", -1, "ファイルが切り替わりました。"},
    {"NVRead", -3, "ファイルダウンロード中"},
    {"NVRead", -201, "NVInitが行なわれていません。"},
    {"NVRead", -202,
     "前回のNVOpen/NVRTOpen/NVMVOpen に対してNVClose が呼ばれていません。（オープン中）"},
    {"NVRead", -203, "NVOpenが行なわれていません。"},
    {"NVRead", -402, "ダウンロードしたファイルサイズが異常です。"},
    {"NVRead", -403, "ダウンロードしたファイル内容が異常です。"},
    {"NVRead", -502, "ダウンロードに失敗しました。(通信エラーやディスクエラー)"},
    {"NVRead", -503, "ファイルが見つかりません。"},

    {"NVClose", 0, "正常に実行されました。"},

    {"NVSetUIProperties", 0, "正常に実行されました。"},
    {"NVSetUIProperties", -100, "パラメータが不正あるいはレジストリへの保存に失敗しました。"},
    {"NVSetUIProperties", -101, "すでにサービスキーが登録されています。"},
};

struct SjisRow {
    std::string_view operation;
    int code;
    std::string text;
};

const std::vector<SjisRow>& Table() {
    static const std::vector<SjisRow> table = [] {
        std::vector<SjisRow> rows;
        for (const Row& r : kRows) rows.push_back({r.operation, r.code, Sj(r.text)});
        return rows;
    }();
    return table;
}

struct FormRow {
    std::string_view operation;
    std::string_view prefix;  // UTF-8
};

// Indexed by LinkMessageForm.
constexpr std::array<FormRow, 6> kForms{{
    {"NVOpen", "NVOpenエラー:"},
    {"NVOpen", "NVOpen正常:"},
    {"NVStatus", "NVStatusエラー:"},
    {"NVRead", "NVReadエラー:"},
    {"NVClose", "NVCloseエラー:"},
    {"NVSetUIProperties", "NVSetUIPropertiesエラー："},
}};

}  // namespace

std::string LinkMessage(std::string_view operation, int code) {
    if (operation == "NVRTOpen") operation = "NVOpen";
    std::string out;
    for (const SjisRow& r : Table()) {
        if (r.operation == operation && r.code == code) {
            out = r.text;
            break;
        }
    }
    out += Format("(%d)", code);
    return out;
}

const std::string& LinkMessagePrefix(LinkMessageForm form) {
    static const std::array<std::string, kForms.size()> prefixes = [] {
        std::array<std::string, kForms.size()> p;
        for (size_t i = 0; i < kForms.size(); ++i) p[i] = Sj(kForms[i].prefix);
        return p;
    }();
    return prefixes.at(static_cast<size_t>(form));
}

std::string_view LinkMessageOperation(LinkMessageForm form) {
    return kForms.at(static_cast<size_t>(form)).operation;
}

std::string FormLinkMessage(LinkMessageForm form, int code) {
    return LinkMessagePrefix(form) + LinkMessage(LinkMessageOperation(form), code);
}

}  // namespace sorvane
