#include "Options.h"

#include "CommandLineError.h"

namespace inlet {

namespace {

CommandLineError usageError(Failure::Kind kind, std::string item = {}, std::string other = {})
{
    return {CommandLineError::kUsage, Failure{.kind = kind, .item = std::move(item), .other = std::move(other)}};
}

// "--json", "--hk=5", "-h": arguments that cannot be an option's TEXT or the CSV file's name
// ("-5" can, "-" too: standard input).
bool isOption(std::string_view arg)
{
    return arg.starts_with("--") || arg == "-h";
}

std::optional<std::size_t> inputIndex(std::string_view name)
{
    const auto& inputs = inputBoxes();
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (boxInfo(inputs[i]).symbol == name)
            return i;
    return std::nullopt;
}

}  // namespace

std::optional<Box> inputNamed(std::string_view name)
{
    const auto index = inputIndex(name);
    if (!index)
        return std::nullopt;
    return inputBoxes()[*index];
}

Options parseOptions(const std::vector<std::string>& args)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--checks") {
            options.checks = true;
        } else if (arg == "--open" || arg == "--save" || arg == "--dxf") {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError(Failure::Kind::OptionNeedsFile, arg);
            (arg == "--open" ? options.openFile : arg == "--save" ? options.saveFile : options.dxfFile) = args[++i];
        } else if (arg == "--dxf-polylines") {
            options.dxfPolylines = true;
        } else if (arg == "--csv") {
            options.csv = true;
            if (i + 1 < args.size() && !isOption(args[i + 1]))
                options.csvFile = args[++i];
        } else if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const auto index = inputIndex(name);
            if (!index)
                throw usageError(Failure::Kind::UnknownOption, arg);
            if (equals != std::string::npos) {
                options.texts[*index] = arg.substr(equals + 1);
            } else {
                if (i + 1 >= args.size())
                    throw usageError(Failure::Kind::OptionNeedsText, arg);
                const std::string& text = args[++i];
                if (isOption(text))
                    throw usageError(Failure::Kind::OptionNeedsTextNotOption, arg, text);
                options.texts[*index] = text;
            }
        } else {
            throw usageError(Failure::Kind::UnexpectedArgument, arg);
        }
    }
    if (options.json && options.csv)
        throw usageError(Failure::Kind::OptionsExclusive, "--json", "--csv");
    if ((options.saveFile || options.dxfFile) && options.csv)
        throw usageError(Failure::Kind::OptionNotInBatch, options.saveFile ? "--save" : "--dxf");
    if (options.dxfPolylines && !options.dxfFile)
        throw usageError(Failure::Kind::OptionNeedsOption, "--dxf-polylines", "--dxf FILE");
    return options;
}

}  // namespace inlet
