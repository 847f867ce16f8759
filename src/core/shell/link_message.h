// The texts shown for the result codes of NV-Link operations, and the message forms built
// around them in message boxes and status texts.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// The table text for operation and code followed by "(" code ")"; an operation without a
// table or an unlisted code gives only the parenthesised code. Operation names compare
// exactly; "NVRTOpen" shares the table of "NVOpen". Shift-JIS.
std::string LinkMessage(std::string_view operation, int code);

// The forms in which the acquisition shows a link message: a fixed prefix, then the message.
enum class LinkMessageForm {
    OpenError,             // "NVOpenエラー:"
    OpenOk,                // "NVOpen正常:" (status text)
    StatusError,           // "NVStatusエラー:"
    ReadError,             // "NVReadエラー:"
    CloseError,            // "NVCloseエラー:"
    SetUIPropertiesError,  // "NVSetUIPropertiesエラー：" (full-width colon)
};

// The prefix of a form, Shift-JIS.
const std::string& LinkMessagePrefix(LinkMessageForm form);
// The operation whose table a form looks up ("NVOpen", "NVStatus", ...).
std::string_view LinkMessageOperation(LinkMessageForm form);
// The whole text: prefix + LinkMessage(operation of the form, code).
std::string FormLinkMessage(LinkMessageForm form, int code);

}  // namespace sorvane
