// Building NV records in tests: a blank record of a type with fields put at byte offsets.
#pragma once

#include <string>
#include <string_view>

#include "base/fields.h"
#include "store/records.h"

namespace sorvane {

// A record of the type's line length (the form of a day-file line, WITHOUT the final CR LF):
// the type code at offset 0, blanks everywhere else. Append "\r\n" for the form the link
// delivers. Unknown gives an empty text.
inline std::string BlankRecord(RecordType type) {
    std::string rec(LineLength(type), ' ');
    if (!rec.empty()) rec.replace(0, 2, RecordTypeCode(type));
    return rec;
}

// Writes text over rec at offset (growing rec with blanks if it is too short).
inline void Put(std::string& rec, size_t offset, std::string_view text) {
    PutField(rec, offset, text);
}

}  // namespace sorvane
