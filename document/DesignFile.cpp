#include "document/DesignFile.h"

#include "document/AtomicSave.h"
#include "messages/Failure.h"
#include "files/FileRead.h"
#include "InletVersion.h"
#include "document/JsonMembers.h"

#include <QFile>
#include <QDir>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace inlet {

namespace {

constexpr const char* kFormat = "inlet-design";
constexpr int kMajor = 1;
constexpr int kMinor = 2;
// The minor version of a file with a study ("study"): a design without one is written as before.
constexpr int kStudyMinor = 3;

QString symbolOf(Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    return QString::fromUtf8(symbol.data(), qsizetype(symbol.size()));
}

Failure fileFailure(Failure::Kind kind, const QString& path, const QString& item = {})
{
    Failure f{.kind = kind, .file = shownPath(path)};
    f.item = item.toStdString();
    return f;
}

// Why `text` cannot be a box's or a field's text, or nothing: too long, a NUL, a lone
// surrogate. The same rule for opening and saving, so that what is saved opens again.
std::optional<Failure::Kind> textFault(const QString& text)
{
    if (text.size() > kMaxDesignText)
        return Failure::Kind::TextTooLong;
    if (text.contains(QChar(0)))
        return Failure::Kind::TextHasNul;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool paired = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (paired)
            ++i;
        else if (c.isSurrogate())
            return Failure::Kind::TextHasInvalidChar;
    }
    return std::nullopt;
}

// The text of one field, which must be a string a box can hold.
QString textField(const QJsonObject& object, const QString& name, const QString& where, const QString& path)
{
    const auto value = object.constFind(name);
    if (value == object.constEnd())
        throw fileFailure(Failure::Kind::FieldMissing, path, where);
    if (!value->isString())
        throw fileFailure(Failure::Kind::FieldNotText, path, where);
    const QString text = value->toString();
    if (const auto fault = textFault(text)) {
        Failure f = fileFailure(*fault, path, where);
        f.number = text.size();
        f.limit = kMaxDesignText;
        throw f;
    }
    return text;
}

// `where` names the object holding it in messages ("flow.").
QJsonObject objectField(const QJsonObject& root, const QString& name, const QString& path, const QString& where = {})
{
    const auto value = root.constFind(name);
    if (value == root.constEnd())
        throw fileFailure(Failure::Kind::FieldMissing, path, where + name);
    if (!value->isObject())
        throw fileFailure(Failure::Kind::FieldNotObject, path, where + name);
    return value->toObject();
}

// The members of a design file this program writes itself, at the top and in info and texts.
bool isKnown(const QString& place)
{
    static const QStringList kTop{QStringLiteral("format"), QStringLiteral("formatVersion"), QStringLiteral("program"),
                                  QStringLiteral("info"), QStringLiteral("texts"),
                                  QStringLiteral("widthSet"), QStringLiteral("flow"), QStringLiteral("study")};
    if (!place.contains(QLatin1Char('/')))
        return kTop.contains(place);
    const QString object = place.section(QLatin1Char('/'), 0, 0), key = place.section(QLatin1Char('/'), 1);
    if (object == QLatin1String("info"))
        return std::any_of(designInfoFields().begin(), designInfoFields().end(),
                           [&](const DesignInfoField& f) { return key == QLatin1String(f.key); });
    const auto& boxes = givenParameterBoxes();
    return std::any_of(boxes.begin(), boxes.end(), [&](Box box) { return key == symbolOf(box); });
}

// Calls `visit(place, member)` for every member at the top of `text` and in its info and texts.
template <typename Visit>
void forEachMember(QByteArrayView text, Visit visit)
{
    for (const JsonMember& member : jsonMembers(text)) {
        visit(member.key, member);
        if (member.key == QLatin1String("info") || member.key == QLatin1String("texts"))
            for (const JsonMember& inner : jsonMembers(text, member.valueStart))
                visit(member.key + QLatin1Char('/') + inner.key, inner);
    }
}

void keepUnknownMembers(const QByteArray& bytes, std::map<QString, QByteArray>& kept)
{
    forEachMember(bytes, [&](const QString& place, const JsonMember& member) {
        if (!isKnown(place))
            kept[place] = bytes.sliced(member.valueStart, member.valueEnd - member.valueStart);
    });
}

// `written` with each unknown member's value as the file it came from wrote it.
QByteArray withKeptText(QByteArray written, const std::map<QString, QByteArray>& kept)
{
    if (kept.empty())
        return written;
    std::vector<std::pair<JsonMember, QByteArray>> spans;
    forEachMember(written, [&](const QString& place, const JsonMember& member) {
        if (const auto found = kept.find(place); found != kept.end())
            spans.emplace_back(member, found->second);
    });
    std::sort(spans.begin(), spans.end(),
              [](const auto& a, const auto& b) { return a.first.valueStart > b.first.valueStart; });
    for (const auto& [member, text] : spans)
        written.replace(member.valueStart, member.valueEnd - member.valueStart, text);
    return written;
}

// The flow record: an object whose texts and result (with its status) can be read; anything
// else is reported rather than dropped, so that no save loses it unseen.
QJsonObject flowField(const QJsonObject& root, const QString& path)
{
    const QJsonObject flow = objectField(root, QStringLiteral("flow"), path);
    objectField(flow, QStringLiteral("texts"), path, QStringLiteral("flow."));
    const QJsonObject result = objectField(flow, QStringLiteral("result"), path, QStringLiteral("flow."));
    const auto status = result.constFind(QStringLiteral("status"));
    if (status == result.constEnd())
        throw fileFailure(Failure::Kind::FieldMissing, path, QStringLiteral("flow.result.status"));
    if (!status->isString())
        throw fileFailure(Failure::Kind::FieldNotText, path, QStringLiteral("flow.result.status"));
    return flow;
}

// "1.0" as major and minor: digits, a full stop, digits, nothing else. A major version too
// large to hold is still a version, newer than any. Nothing where it is not a version.
std::optional<std::pair<long long, long long>> versionOf(const QString& text)
{
    static const QRegularExpression kVersion(QStringLiteral("^([0-9]+)\\.([0-9]+)$"));
    const QRegularExpressionMatch match = kVersion.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool majorOk = false, minorOk = false;
    const long long major = match.captured(1).toLongLong(&majorOk);
    const long long minor = match.captured(2).toLongLong(&minorOk);
    return std::pair{majorOk ? major : std::numeric_limits<long long>::max(),
                     minorOk ? minor : std::numeric_limits<long long>::max()};
}

// Qt's JSON reader drops a byte order mark that starts a string, while the escape \ufeff is
// read as the character it is: every U+FEFF (the only character whose UTF-8 is EF BB BF, and
// JSON has it only inside strings) is written and read as the escape. Bytes before `from` are
// left as they are (a mark that starts the file is no string's).
QByteArray withEscapedByteOrderMarks(QByteArray json, qsizetype from = 0)
{
    static const QByteArray kMark("\xEF\xBB\xBF");
    for (qsizetype at = json.indexOf(kMark, from); at >= 0; at = json.indexOf(kMark, at + 6))
        json.replace(at, kMark.size(), "\\ufeff");
    return json;
}

// How deep Qt's reader nests arrays and objects: one level more is refused as DeepNesting.
constexpr int kMaxJsonNesting = 1024;

// Why Qt's reader refused `bytes`: JSON it does not read (nested too deep, a number beyond a
// double's range, which Qt calls an illegal number as it does a malformed one), or not JSON.
Failure jsonFailure(const QByteArray& bytes, const QJsonParseError& error, const QString& path)
{
    if (error.error == QJsonParseError::DeepNesting) {
        Failure f = fileFailure(Failure::Kind::DesignNestedTooDeep, path);
        f.number = error.offset;
        f.limit = kMaxJsonNesting;
        return f;
    }
    if (error.error == QJsonParseError::IllegalNumber) {
        // The number ends at or before the offset: its characters back from there.
        const auto inNumber = [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E'; };
        qsizetype end = std::min<qsizetype>(error.offset, bytes.size());
        while (end > 0 && !inNumber(bytes[end - 1]))
            --end;
        qsizetype start = end;
        while (start > 0 && inNumber(bytes[start - 1]))
            --start;
        const QByteArray number = bytes.mid(start, end - start);
        static const QRegularExpression kJsonNumber(QStringLiteral(R"(^-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?$)"));
        if (!number.isEmpty() && kJsonNumber.match(QString::fromLatin1(number)).hasMatch()) {
            Failure f = fileFailure(Failure::Kind::DesignNumberOutOfRange, path, QString::fromLatin1(number));
            f.number = start + 1;
            return f;
        }
    }
    Failure f = fileFailure(Failure::Kind::DesignNotJson, path);
    f.number = error.offset + 1;
    return f;
}

}  // namespace

Design defaultDesign()
{
    Design design;
    for (const Box box : givenParameterBoxes()) {
        const std::string_view text = boxInfo(box).defaultText;
        design.texts[box] = QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    return design;
}

Design parseDesign(const QByteArray& bytes, const QString& path)
{
    if (bytes.size() > kMaxDesignFileBytes) {
        Failure f = fileFailure(Failure::Kind::ReadTooLarge, path);
        f.number = bytes.size();
        f.limit = kMaxDesignFileBytes;
        throw f;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        throw fileFailure(Failure::Kind::DesignNotUtf8, path);

    // A mark that starts the file says UTF-8 and belongs to no member: the members lie where
    // they lie in the text after it, with or without it.
    static const QByteArray kMark("\xEF\xBB\xBF");
    const QByteArray json = bytes.startsWith(kMark) ? bytes.sliced(kMark.size()) : bytes;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(withEscapedByteOrderMarks(json), &error);
    if (error.error != QJsonParseError::NoError) {
        QJsonDocument::fromJson(bytes, &error);  // where the fault is in the file's own bytes
        throw jsonFailure(bytes, error, path);
    }
    if (!document.isObject())
        throw fileFailure(Failure::Kind::NotADesign, path);
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(kFormat))
        throw fileFailure(Failure::Kind::NotADesign, path);
    const QString versionText = textField(root, QStringLiteral("formatVersion"), QStringLiteral("formatVersion"), path);
    const auto version = versionOf(versionText);
    if (!version)
        throw fileFailure(Failure::Kind::FormatVersionUnreadable, path, versionText);
    if (version->first > kMajor) {
        Failure f = fileFailure(Failure::Kind::FormatVersionNewer, path, versionText);
        f.number = kMajor;
        throw f;
    }

    Design design;
    design.kept = root;
    keepUnknownMembers(json, design.keptText);
    const QJsonObject info = objectField(root, QStringLiteral("info"), path);
    for (const DesignInfoField& f : designInfoFields()) {
        const QString key = QLatin1String(f.key);
        if (f.optional && !info.contains(key))
            continue;
        design.info.*f.field = textField(info, key, QStringLiteral("info.") + key, path);
    }
    if (!floorElevationOf(design.info.floorElevation).ok) {
        Failure f = fileFailure(Failure::Kind::FloorElevationNotANumber, path);
        f.other = design.info.floorElevation.toStdString();
        throw f;
    }
    const QJsonObject texts = objectField(root, QStringLiteral("texts"), path);
    for (const Box box : givenParameterBoxes())
        design.texts[box] = textField(texts, symbolOf(box), QStringLiteral("texts.") + symbolOf(box), path);
    if (root.contains(QStringLiteral("widthSet"))) {
        const QString name = textField(root, QStringLiteral("widthSet"), QStringLiteral("widthSet"), path);
        const std::optional<WidthSet> set = widthSetNamed(name.toStdString());
        if (!set) {
            Failure f = fileFailure(Failure::Kind::FieldNotOneOf, path, QStringLiteral("widthSet"));
            f.other = "\"computed\", \"area-true\"";
            throw f;
        }
        design.widthSet = *set;
    }
    if (root.contains(QStringLiteral("flow")))
        design.flow = flowField(root, path);
    if (root.contains(QStringLiteral("study")))
        design.study = objectField(root, QStringLiteral("study"), path);
    return design;
}

Design readDesignFile(const QString& path, int pipeWaitSeconds)
{
    std::string bytes;
    try {
        bytes = readWholeFile(systemPath(path), kMaxDesignFileBytes, pipeWaitSeconds);
    } catch (Failure& f) {
        f.file = shownPath(path);
        throw;
    }
    return parseDesign(QByteArray::fromStdString(bytes), path);
}

QByteArray designBytes(const Design& design)
{
    QJsonObject root = design.kept;
    const auto kept = versionOf(root.value(QStringLiteral("formatVersion")).toString());
    const bool newerMinor = kept && kept->first == kMajor && kept->second > kMinor;
    root[QStringLiteral("format")] = QLatin1String(kFormat);
    root[QStringLiteral("formatVersion")] = QStringLiteral("%1.%2").arg(kMajor).arg(newerMinor ? kept->second
                                                                                        : design.study.isEmpty() ? kMinor
                                                                                                                 : kStudyMinor);
    root[QStringLiteral("program")] = QStringLiteral("inlet %1").arg(QLatin1String(kVersion));

    QJsonObject info = root.value(QStringLiteral("info")).toObject();
    for (const DesignInfoField& f : designInfoFields())
        info[QLatin1String(f.key)] = design.info.*f.field;
    root[QStringLiteral("info")] = info;

    QJsonObject texts = root.value(QStringLiteral("texts")).toObject();
    for (const Box box : givenParameterBoxes()) {
        const auto text = design.texts.find(box);
        texts[symbolOf(box)] = text == design.texts.end() ? QString() : text->second;
    }
    root[QStringLiteral("texts")] = texts;
    const std::string_view set = widthSetName(design.widthSet);
    root[QStringLiteral("widthSet")] = QString::fromUtf8(set.data(), qsizetype(set.size()));
    if (design.flow.isEmpty())
        root.remove(QStringLiteral("flow"));
    else
        root[QStringLiteral("flow")] = design.flow;
    if (design.study.isEmpty())
        root.remove(QStringLiteral("study"));
    else
        root[QStringLiteral("study")] = design.study;
    // Indented for reading by eye, unless that would make the file too large to open.
    const QJsonDocument document(root);
    QByteArray bytes = withKeptText(withEscapedByteOrderMarks(document.toJson(QJsonDocument::Indented)), design.keptText);
    if (bytes.size() > kMaxDesignFileBytes)
        bytes = withKeptText(withEscapedByteOrderMarks(document.toJson(QJsonDocument::Compact)), design.keptText);
    return bytes;
}

void checkSavable(const Design& design, const QString& path)
{
    auto check = [&](const QString& text, const QString& where) {
        if (const auto fault = textFault(text)) {
            const Failure::Kind kind = *fault == Failure::Kind::TextTooLong ? Failure::Kind::SaveTextTooLong
                                       : *fault == Failure::Kind::TextHasNul ? Failure::Kind::SaveTextHasNul
                                                                              : Failure::Kind::SaveTextHasInvalidChar;
            Failure f = fileFailure(kind, path, where);
            f.number = text.size();
            f.limit = kMaxDesignText;
            throw f;
        }
    };
    for (const DesignInfoField& field : designInfoFields())
        check(design.info.*field.field, QStringLiteral("info.") + QLatin1String(field.key));
    if (!floorElevationOf(design.info.floorElevation).ok) {
        Failure f = fileFailure(Failure::Kind::SaveFloorElevationNotANumber, path);
        f.other = design.info.floorElevation.toStdString();
        throw f;
    }
    for (const Box box : givenParameterBoxes()) {
        const auto text = design.texts.find(box);
        if (text != design.texts.end())
            check(text->second, symbolOf(box));
    }
}

void writeDesignFile(const QString& path, const Design& design)
{
    checkSavable(design, path);
    const QByteArray bytes = designBytes(design);
    if (bytes.size() > kMaxDesignFileBytes) {
        Failure f = fileFailure(Failure::Kind::SaveTooLarge, path);
        f.number = bytes.size();
        f.limit = kMaxDesignFileBytes;
        throw f;
    }
    try {
        saveAtomically(path, bytes);
    } catch (Failure& f) {
        if (f.kind == Failure::Kind::CannotWrite)
            f.kind = Failure::Kind::CannotSaveDesign;
        throw;
    }
}

}  // namespace inlet
