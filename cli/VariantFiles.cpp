#include "cli/VariantFiles.h"

#include "messages/Failure.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace inlet {

namespace {

std::string mark(std::size_t input)
{
    return "@inlet-varied-" + std::to_string(input) + "@";
}

// A text JSON writes as it is: no quote, backslash, control or non-ASCII character.
bool plain(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7f && c != '"' && c != '\\'; });
}

}  // namespace

VariantFiles::VariantFiles(Design design, const std::vector<VariedInput>& inputs)
    : design_(std::move(design)), inputs_(inputs)
{
}

Design VariantFiles::design(const std::vector<std::string>& texts) const
{
    Design d = design_;
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (inputs_[i].box)
            d.texts[*inputs_[i].box] = QString::fromStdString(texts[i]);
        else
            d.widthSet = widthSetNamed(texts[i]).value_or(WidthSet::Computed);
    }
    return d;
}

const VariantFiles::Pieces& VariantFiles::piecesFor(WidthSet widths, const std::vector<std::string>& texts)
{
    const std::lock_guard lock(mutex_);
    if (const auto found = pieces_.find(widths); found != pieces_.end())
        return found->second;
    Pieces& p = pieces_[widths];
    Design marked = design(texts);
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (inputs_[i].box)
            marked.texts[*inputs_[i].box] = QString::fromStdString(mark(i));
    }
    const QByteArray whole = designBytes(marked);
    std::string rest(whole.constData(), std::size_t(whole.size()));
    // Each mark once, in the order the file has them.
    std::vector<std::pair<std::size_t, std::size_t>> at;  // (place, input)
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (!inputs_[i].box)
            continue;
        const std::size_t place = rest.find(mark(i));
        if (place == std::string::npos || rest.find(mark(i), place + 1) != std::string::npos)
            return p;
        at.emplace_back(place, i);
    }
    std::sort(at.begin(), at.end());
    std::size_t from = 0;
    for (const auto& [place, input] : at) {
        p.between.push_back(rest.substr(from, place - from));
        p.order.push_back(input);
        from = place + mark(input).size();
    }
    p.between.push_back(rest.substr(from));
    // Used only where it gives designBytes()'s very bytes for this variant.
    p.usable = true;
    const QByteArray real = designBytes(design(texts));
    std::string made = p.between[0];
    for (std::size_t k = 0; k < p.order.size(); ++k)
        made.append(texts[p.order[k]]).append(p.between[k + 1]);
    p.usable = made == std::string_view(real.constData(), std::size_t(real.size()));
    return p;
}

std::string VariantFiles::bytes(const std::vector<std::string>& texts)
{
    WidthSet widths = design_.widthSet;
    bool simple = true;
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (!inputs_[i].box)
            widths = widthSetNamed(texts[i]).value_or(WidthSet::Computed);
        else
            simple = simple && plain(texts[i]);
    }
    if (simple) {
        const Pieces& p = piecesFor(widths, texts);
        if (p.usable) {
            std::string made = p.between[0];
            for (std::size_t k = 0; k < p.order.size(); ++k)
                made.append(texts[p.order[k]]).append(p.between[k + 1]);
            return made;
        }
    }
    const QByteArray real = designBytes(design(texts));
    return {real.constData(), std::size_t(real.size())};
}

bool fileHolds(const std::string& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::string read(bytes.size() + 1, '\0');
    const std::size_t got = std::fread(read.data(), 1, read.size(), file);
    std::fclose(file);
    return got == bytes.size() && std::string_view(read.data(), got) == bytes;
}

void writeVariantFile(const std::string& path, std::string_view bytes)
{
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    const std::string target = exists ? path + ".part" : path;
    std::FILE* file = std::fopen(target.c_str(), "wb");
    bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int error = ok ? 0 : errno;
    if (file && std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && exists) {
        std::filesystem::rename(target, path, ec);
        ok = !ec;
        error = ec.value();
    }
    if (!ok) {
        std::filesystem::remove(target, ec);  // the file aside, or the new one cut short
        throw systemFailure(Failure::Kind::CannotWrite, path, error ? error : EIO);
    }
}

}  // namespace inlet
