// The text edge between the core's Shift-JIS bytes and Qt's QString (through UTF-8).
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Shift-JIS bytes as a QString; bytes that cannot be converted show as U+FFFD.
QString QtFromSjis(std::string_view sjis);
// A QString as Shift-JIS bytes; characters without a Shift-JIS form become '?'.
std::string SjisFromQt(const QString& text);
