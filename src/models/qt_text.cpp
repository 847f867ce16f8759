// Shift-JIS <-> QString, always through the core's UTF-8 conversions.
#include "qt_text.h"

#include "base/sjis.h"

QString QtFromSjis(std::string_view sjis) {
    const std::string utf8 = sorvane::Utf8FromSjis(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string SjisFromQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return sorvane::SjisFromUtf8(std::string_view(utf8.constData(), utf8.size()));
}
