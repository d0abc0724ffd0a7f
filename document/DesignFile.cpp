#include "DesignFile.h"

#include "AtomicSave.h"
#include "InletVersion.h"

#include <QFile>
#include <QDir>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>

#include <array>

namespace inlet {

namespace {

constexpr const char* kFormat = "inlet-design";
constexpr int kMajor = 1;
constexpr int kMinor = 2;

QString symbolOf(Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    return QString::fromUtf8(symbol.data(), qsizetype(symbol.size()));
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Builds the two messages of a refusal: "设计文件“x.inlet”<chinese>" and
// "design file 'x.inlet' <english>".
[[noreturn]] void refuse(const QString& path, const QString& chinese, const QString& english)
{
    throw DesignFileError(QStringLiteral("设计文件“%1”%2").arg(shown(path), chinese),
                          QStringLiteral("design file '%1' %2").arg(shown(path), english));
}

// The text of one field, which must be a string a box can hold.
QString textField(const QJsonObject& object, const QString& name, const QString& where, const QString& path)
{
    const auto value = object.constFind(name);
    if (value == object.constEnd())
        refuse(path, QStringLiteral("缺少字段 %1").arg(where), QStringLiteral("lacks the field %1").arg(where));
    if (!value->isString())
        refuse(path, QStringLiteral("的字段 %1 应为文本").arg(where),
               QStringLiteral("has %1 that is not a text").arg(where));
    const QString text = value->toString();
    if (text.size() > kMaxDesignText)
        refuse(path, QStringLiteral("中 %1 的文本过长（%2 个字符，最多 %3 个）").arg(where).arg(text.size()).arg(kMaxDesignText),
               QStringLiteral("has a text of %2 characters in %1 (at most %3)").arg(where).arg(text.size()).arg(kMaxDesignText));
    if (text.contains(QChar(0)))
        refuse(path, QStringLiteral("中 %1 含有空字符").arg(where), QStringLiteral("has a NUL character in %1").arg(where));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool paired = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (paired)
            ++i;
        else if (c.isSurrogate())
            refuse(path, QStringLiteral("中 %1 含有无效字符").arg(where),
                   QStringLiteral("has an invalid character in %1").arg(where));
    }
    return text;
}

QJsonObject objectField(const QJsonObject& root, const QString& name, const QString& path)
{
    const auto value = root.constFind(name);
    if (value == root.constEnd())
        refuse(path, QStringLiteral("缺少字段 %1").arg(name), QStringLiteral("lacks the field %1").arg(name));
    if (!value->isObject())
        refuse(path, QStringLiteral("的字段 %1 应为对象").arg(name), QStringLiteral("has %1 that is not an object").arg(name));
    return value->toObject();
}

// "1.0" as major and minor; -1 where it is not such a version.
std::pair<int, int> versionOf(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    bool majorOk = false, minorOk = false;
    const int major = parts.size() == 2 ? parts[0].toInt(&majorOk) : -1;
    const int minor = parts.size() == 2 ? parts[1].toInt(&minorOk) : -1;
    if (!majorOk || !minorOk || major < 0 || minor < 0)
        return {-1, -1};
    return {major, minor};
}

}  // namespace

DesignFileError::DesignFileError(const QString& chinese, const QString& english)
    : std::runtime_error(english.toStdString()), chinese_(chinese), english_(english)
{
}

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
    if (bytes.size() > kMaxDesignFileBytes)
        refuse(path, QStringLiteral("过大（%1 字节），不是本程序的设计文件").arg(bytes.size()),
               QStringLiteral("is too large (%1 bytes) to be a design file").arg(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        refuse(path, QStringLiteral("不是有效的 UTF-8 文本"), QStringLiteral("is not valid UTF-8 text"));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        refuse(path, QStringLiteral("不是 JSON 格式（第 %1 个字节处：%2）").arg(error.offset + 1).arg(error.errorString()),
               QStringLiteral("is not JSON (at byte %1: %2)").arg(error.offset + 1).arg(error.errorString()));
    if (!document.isObject())
        refuse(path, QStringLiteral("不是进水流道设计文件"), QStringLiteral("is not an inlet passage design"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(kFormat))
        refuse(path, QStringLiteral("不是进水流道设计文件（缺少 \"format\": \"%1\"）").arg(QLatin1String(kFormat)),
               QStringLiteral("is not an inlet passage design (no \"format\": \"%1\")").arg(QLatin1String(kFormat)));
    const QString versionText = textField(root, QStringLiteral("formatVersion"), QStringLiteral("formatVersion"), path);
    const auto [major, minor] = versionOf(versionText);
    if (major < 0)
        refuse(path, QStringLiteral("的格式版本“%1”无法识别").arg(versionText),
               QStringLiteral("has a format version '%1' this program cannot read").arg(versionText));
    if (major > kMajor)
        refuse(path, QStringLiteral("的格式版本 %1 比本程序支持的 %2.x 新，请用新版程序打开").arg(versionText).arg(kMajor),
               QStringLiteral("has format version %1, newer than the %2.x this program reads").arg(versionText).arg(kMajor));

    Design design;
    design.kept = root;
    const QJsonObject info = objectField(root, QStringLiteral("info"), path);
    for (const DesignInfoField& f : designInfoFields()) {
        const QString key = QLatin1String(f.key);
        if (f.optional && !info.contains(key))
            continue;
        design.info.*f.field = textField(info, key, QStringLiteral("info.") + key, path);
    }
    if (!floorElevationOf(design.info.floorElevation).ok)
        refuse(path, QStringLiteral("的底板高程“%1”不是数字").arg(design.info.floorElevation.left(40)),
               QStringLiteral("has a floor elevation '%1' that is not a number").arg(design.info.floorElevation.left(40)));
    const QJsonObject texts = objectField(root, QStringLiteral("texts"), path);
    for (const Box box : givenParameterBoxes())
        design.texts[box] = textField(texts, symbolOf(box), QStringLiteral("texts.") + symbolOf(box), path);
    if (root.contains(QStringLiteral("widthSet"))) {
        const QString name = textField(root, QStringLiteral("widthSet"), QStringLiteral("widthSet"), path);
        const std::optional<WidthSet> set = widthSetNamed(name.toStdString());
        if (!set)
            refuse(path, QStringLiteral("的字段 widthSet 应为 \"computed\" 或 \"area-true\""),
                   QStringLiteral("has a widthSet that is neither \"computed\" nor \"area-true\""));
        design.widthSet = *set;
    }
    return design;
}

Design readDesignFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(path, QStringLiteral("无法打开：%1").arg(file.errorString()),
               QStringLiteral("cannot be opened: %1").arg(file.errorString()));
    // Read one byte more than a design may have, so that a huge file is refused without
    // reading it whole.
    const QByteArray bytes = file.read(kMaxDesignFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        refuse(path, QStringLiteral("无法读取：%1").arg(file.errorString()),
               QStringLiteral("cannot be read: %1").arg(file.errorString()));
    if (bytes.size() > kMaxDesignFileBytes)
        refuse(path, QStringLiteral("过大（%1 字节），不是本程序的设计文件").arg(file.size()),
               QStringLiteral("is too large (%1 bytes) to be a design file").arg(file.size()));
    return parseDesign(bytes, path);
}

QByteArray designBytes(const Design& design)
{
    QJsonObject root = design.kept;
    const auto [keptMajor, keptMinor] = versionOf(root.value(QStringLiteral("formatVersion")).toString());
    const bool newerMinor = keptMajor == kMajor && keptMinor > kMinor;
    root[QStringLiteral("format")] = QLatin1String(kFormat);
    root[QStringLiteral("formatVersion")] = QStringLiteral("%1.%2").arg(kMajor).arg(newerMinor ? keptMinor : kMinor);
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
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void writeDesignFile(const QString& path, const Design& design)
{
    for (const Box box : givenParameterBoxes()) {
        const auto text = design.texts.find(box);
        if (text != design.texts.end() && text->second.size() > kMaxDesignText)
            throw DesignFileError(
                QStringLiteral("无法保存设计文件“%1”：%2 的文本过长（%3 个字符，最多 %4 个）")
                    .arg(shown(path), symbolOf(box)).arg(text->second.size()).arg(kMaxDesignText),
                QStringLiteral("cannot save design file '%1': the text of %2 is %3 characters long (at most %4)")
                    .arg(shown(path), symbolOf(box)).arg(text->second.size()).arg(kMaxDesignText));
    }
    if (!floorElevationOf(design.info.floorElevation).ok)
        throw DesignFileError(QStringLiteral("无法保存设计文件“%1”：底板高程“%2”不是数字").arg(shown(path), design.info.floorElevation.left(40)),
                              QStringLiteral("cannot save design file '%1': the floor elevation '%2' is not a number")
                                  .arg(shown(path), design.info.floorElevation.left(40)));
    const QString failure = saveAtomically(path, designBytes(design));
    if (!failure.isEmpty())
        throw DesignFileError(QStringLiteral("无法保存设计文件“%1”：%2").arg(shown(path), failure),
                              QStringLiteral("cannot save design file '%1': %2").arg(shown(path), failure));
}

}  // namespace inlet
