// Link result messages: the code tables, the parenthesised code, and the message forms.
#include "shell/link_message.h"

#include <gtest/gtest.h>

#include "base/sjis.h"

namespace sorvane {
namespace {

TEST(LinkMessage, TableTextThenCode) {
    struct Case {
        const char* operation;
        int code;
        const char* expected;  // UTF-8
    } cases[] = {
        {"NVOpen", -1, " 取得済みデータより最新のデータがありません。(-1)"},
        {"NVRTOpen", -1, " 取得済みデータより最新のデータがありません。(-1)"},
        {"NVRTOpen", -504, "サーバーがメンテナンス中です。(-504)"},
        {"NVOpen", -202,
         "前回のNVOpen/NVRTOpen/NVMVOpen に対してNVClose が呼ばれていません。（オープン中）(-202)"},
        {"NVStatus", -502, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)"},
        {"NVRead", -502, "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)"},
        {"NVRead", 0, "全ファイルの読み込みが終了しました。（ＥＯＦ ）(0)"},
        {"NVClose", 0, "正常に実行されました。(0)"},
        {"NVSetUIProperties", -101, "すでにサービスキーが登録されています。(-101)"},
        // Unlisted codes and operations without a table give the code alone.
        {"NVRead", -999, "(-999)"},
        {"NVRead", -2, "(-2)"},
        {"NVClose", -1, "(-1)"},
        {"NVStatus", 5, "(5)"},
        {"NVInit", 0, "(0)"},
        {"nvopen", 0, "(0)"},  // names compare exactly
        {"", -1, "(-1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkMessage(c.operation, c.code), Sj(c.expected)) << c.operation << ' ' << c.code;
}

TEST(LinkMessage, ShiftJisBytes) {
    // The leading blank, then 取 (8E E6).
    std::string open = LinkMessage("NVOpen", -1);
    EXPECT_EQ(open.substr(0, 3), "\x20\x8E\xE6");
    EXPECT_EQ(open.substr(open.size() - 4), "(-1)");
    // ＣＤ －ＲＯＭ: full-width letters, one half-width blank and a full-width hyphen.
    std::string cd = LinkMessage("NVOpen", -501);
    EXPECT_NE(cd.find("\x82\x62\x82\x63\x20\x81\x7C\x82\x71\x82\x6E\x82\x6C"), std::string::npos);
    // NVStatus -201 has no blank after NVInit, NVOpen -201 has one.
    EXPECT_EQ(LinkMessage("NVStatus", -201).substr(0, 7), "NVInit\x82");
    EXPECT_EQ(LinkMessage("NVOpen", -201).substr(0, 7), "NVInit ");
}

TEST(LinkMessage, Forms) {
    EXPECT_EQ(FormLinkMessage(LinkMessageForm::OpenError, -301),
              Sj("NVOpenエラー:認証エラーが発生しました。(-301)"));
    EXPECT_EQ(FormLinkMessage(LinkMessageForm::OpenOk, 0),
              Sj("NVOpen正常:正常に実行されました。(0)"));
    EXPECT_EQ(FormLinkMessage(LinkMessageForm::StatusError, -203),
              Sj("NVStatusエラー:NVOpenが行なわれていません。(-203)"));
    EXPECT_EQ(FormLinkMessage(LinkMessageForm::ReadError, -503),
              Sj("NVReadエラー:ファイルが見つかりません。(-503)"));
    EXPECT_EQ(FormLinkMessage(LinkMessageForm::CloseError, -1), Sj("NVCloseエラー:(-1)"));
    // The settings form ends its prefix with a full-width colon (81 46).
    const std::string& ui = LinkMessagePrefix(LinkMessageForm::SetUIPropertiesError);
    EXPECT_EQ(ui, "NVSetUIProperties" + Sj("エラー") + "\x81\x46");
    EXPECT_EQ(FormLinkMessage(LinkMessageForm::SetUIPropertiesError, -100),
              ui + Sj("パラメータが不正あるいはレジストリへの保存に失敗しました。(-100)"));
}

}  // namespace
}  // namespace sorvane
