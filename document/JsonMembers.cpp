#include "document/JsonMembers.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace inlet {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

qsizetype skipSpace(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    return at;
}

// One past the string that opens at `at` (its '"').
qsizetype stringEnd(QByteArrayView text, qsizetype at)
{
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '"')
            return at + 1;
    }
    return at;
}

// One past the value that begins at `at`.
qsizetype valueEnd(QByteArrayView text, qsizetype at)
{
    if (text[at] == '"')
        return stringEnd(text, at);
    if (text[at] != '{' && text[at] != '[') {
        while (at < text.size() && text[at] != ',' && text[at] != '}' && text[at] != ']' && !isSpace(text[at]))
            ++at;
        return at;
    }
    int depth = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '"') {
            at = stringEnd(text, at);
            continue;
        }
        if (c == '{' || c == '[')
            ++depth;
        else if ((c == '}' || c == ']') && --depth == 0)
            return at + 1;
        ++at;
    }
    return at;
}

QString keyOf(QByteArrayView quoted)
{
    const QByteArray array = QByteArray("[") + quoted.toByteArray() + "]";
    return QJsonDocument::fromJson(array).array().at(0).toString();
}

}  // namespace

std::vector<JsonMember> jsonMembers(QByteArrayView text, qsizetype start)
{
    std::vector<JsonMember> members;
    qsizetype at = skipSpace(text, start);
    if (at >= text.size() || text[at] != '{')
        return members;
    at = skipSpace(text, at + 1);
    while (at < text.size() && text[at] == '"') {
        const qsizetype keyEnd = stringEnd(text, at);
        JsonMember member{keyOf(text.sliced(at, keyEnd - at))};
        at = skipSpace(text, keyEnd);
        at = skipSpace(text, at + 1);  // the colon
        member.valueStart = at;
        member.valueEnd = valueEnd(text, at);
        members.push_back(member);
        at = skipSpace(text, member.valueEnd);
        if (at < text.size() && text[at] == ',')
            at = skipSpace(text, at + 1);
    }
    return members;
}

}  // namespace inlet
