#pragma once

// Where the members of a JSON object lie in its text: each key, and the bytes of its value as
// they were written. What a newer program wrote is written back exactly so (a number beyond a
// double's digits included), not as this program would write it.

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace inlet {

struct JsonMember {
    QString key;
    qsizetype valueStart = 0;  // the value's first byte
    qsizetype valueEnd = 0;    // one past its last
};

// The members of the object whose '{' is the first byte of `text` after white space at or after
// `start`, in the order written. `text` must be valid JSON (QJsonDocument has read it).
std::vector<JsonMember> jsonMembers(QByteArrayView text, qsizetype start = 0);

}  // namespace inlet
